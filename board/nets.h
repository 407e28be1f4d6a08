// One net of the [nets] section; read_nets and write_nets themselves are in sections.h.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "board/sections.h"

// Where each tee identifier of the net being read stands in its `tees` list.
using TeeIndex = std::unordered_map<uint32_t, size_t>;

// Reads the net whose "net:" record is `line` (blanks skipped) and the records that follow it:
// pins, connections with their vertices and segments (checking tees), and copper areas.
void read_net(LoadContext& ctx, Net& net, const char* line, TeeIndex& tee_index);
