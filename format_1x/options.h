// The [options] section's reader and writer; the records are described in options.cpp.
#pragma once

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

void read_options(LoadContext& ctx);
void write_options(Output& out, const Board& board);
