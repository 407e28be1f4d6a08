// Writing a 2.x board back: its own bytes with the conversion's changes spliced in.
#pragma once

#include <string>

#include "board/model.h"

class TempFile;

// The board's bytes as read, with the ref_text line of each converted part rewritten and the
// new text records inserted into [texts]; every other byte as it was.
std::string board_text_2x(const Board& board);

// The same into `file`, in large pieces; false when any of it could not be written.
bool write_board_2x(const Board& board, TempFile& file);
