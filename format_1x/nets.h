// The [nets] section's reader and writer, and one net read; the records are described in
// nets.cpp, a net's copper areas in net_areas.h.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

// Where the first vertex carrying each tee identifier of the net being read stands.
struct TeePlace {
  double x = 0, y = 0;
};
using TeeIndex = std::unordered_map<uint32_t, TeePlace>;

// Reads the net whose "net:" record is `line` (blanks skipped) and the records that follow it:
// pins, connections with their vertices and segments (checking tees), and copper areas. The
// pins, connections and vertices are added to the ends of the board's tables.
void read_net(LoadContext& ctx, Net& net, const char* line, TeeIndex& tee_index);

void read_nets(LoadContext& ctx);
void write_nets(Output& out, const Board& board);
