// The [board] and [solder_mask_cutouts] sections' readers and writers; the records are
// described in outlines.cpp.
#pragma once

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

void read_board_outlines(LoadContext& ctx);
void write_board_outlines(Output& out, const Board& board);

void read_sm_cutouts(LoadContext& ctx);
void write_sm_cutouts(Output& out, const Board& board);
