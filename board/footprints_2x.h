// The footprints and the board outline of a 2.x board, for the check and arranging.
#pragma once

#include <string_view>

#include "board/model.h"

// Fills the board's footprints and board outlines from the 2.x board `text` and binds each part
// to the footprint whose name has the same bytes as its shape (footprint_index). Never an error:
// what cannot be read is passed over.
void read_footprints_and_outline_2x(Board& board, std::string_view text);
