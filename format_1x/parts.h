// The [parts] section's reader and writer; the records are described in parts.cpp.
#pragma once

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

void read_parts(LoadContext& ctx);
void write_parts(Output& out, const Board& board);
