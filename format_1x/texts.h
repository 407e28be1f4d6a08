// The [texts] section's reader and writer; the records are described in texts.cpp.
#pragma once

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

void read_texts(LoadContext& ctx);
void write_texts(Output& out, const Board& board);
