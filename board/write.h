// Writing a Board back as a board file.
#pragma once

#include <map>
#include <string>

#include "board/model.h"

// The whole board file's text: every section in the fixed order, then "[end]".
std::string board_text(const Board& board);

// Rewrites `board_file_name` into the output name, writes the board there and reports it.
// The file appears only once it is complete: the text goes to a temporary file beside it that
// is renamed into place, so a failed run leaves neither a partial file nor a temporary one and
// never touches an older file of that name.
void write_board(const Board& board, std::string& board_file_name, const char* suffix);

// write_board with the text put into `files` under the output name instead of on the disk: the
// same name and the same report.
void write_board_to_memory(const Board& board, std::string& board_file_name, const char* suffix,
                           std::map<std::string, std::string>& files);
