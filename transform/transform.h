// The operations on a loaded board.
#pragma once

#include <string>

#include "board/model.h"
#include "board/run_flags.h"

// Turns every part's reference designator into a free text where the part's own reference text
// stood and hides the part's own text; returns the number of parts converted.
int convert_refdes(Board& board, const RunFlags& flags);

// Turns the whole board over about the Y axis.
void mirror_board(Board& board);

// The width of `text` in units of its character height.
double text_width_estimate(const std::string& text);
