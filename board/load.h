// Loading a whole board file into a Board.
#pragma once

#include <map>
#include <string>

#include "board/model.h"
#include "board/run_flags.h"

// Adds ".krv" to `board_file_name` when the file's own name holds no '.', reads the file once into
// memory, runs every section reader over it and reports the load on stderr. Every failure is a
// FatalError; one raised while a line was being read carries the line number and the file name.
void load_board(Board& board, std::string& board_file_name, const RunFlags& flags);

// The same work on a board's text already in memory; returns the number of lines the load
// counted. `file_name` is used only in messages. Both take a board of version 2.0 or above to
// the 2.x reader (load_2x.h).
uint32_t load_board_text(Board& board, std::string bytes, const std::string& file_name,
                         const RunFlags& flags);

// load_board with the board file's bytes taken from `files` (by name, after the same ".krv" rule)
// instead of the disk: the same work, the same errors and the same report.
void load_board_from_memory(Board& board, std::string& board_file_name,
                            const std::map<std::string, std::string>& files, const RunFlags& flags);
