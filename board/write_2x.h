// Writing a 2.x board back: its own bytes with the conversion's changes spliced in.
#pragma once

#include <string>

#include "board/model.h"

// The board's bytes as read, with the ref_text line of each converted part rewritten and the
// new text records inserted into [texts]; every other byte as it was.
std::string board_text_2x(const Board& board);
