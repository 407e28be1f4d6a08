// What the silkscreen check and arranging need of a 2.x board's [footprints] and [board]
// sections: each footprint's pins with their copper pads and its first outline polyline, and the
// board's edge. The board's bytes are kept as they are; this only reads them.
#pragma once

#include <string_view>

#include "board/model.h"

// Fills board.footprints and board.board_outlines from the whole text of a 2.x board (its bytes
// as read; lines end in LF or CR LF), in the units and angle convention of the 1.x readers,
// then binds every part of board.parts to the first footprint whose name has the same bytes as
// the part's shape (footprint_index -1 when none does). Never fails: a record whose values do
// not read is passed over, and so is every record it does not know.
void read_footprints_and_outline_2x(Board& board, std::string_view text);
