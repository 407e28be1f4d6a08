// One board file's whole road: load, mirror, convert, arrange and check, write, with every
// message the run prints for it. The driver, the fuzz target and the tests all run a board
// through this one function, so a change to the road reaches every one of them.
#pragma once

#include <map>
#include <string>

#include "board/model.h"
#include "board/run_flags.h"
#include "check/run_check.h"

// Board files held in memory by name, in place of the disk: the board is read from here and
// the written board and picture are put here (the fuzz target and the tests).
using MemoryFiles = std::map<std::string, std::string>;

// What one board's road gave.
struct BoardRun {
  Board board;              // as written (or as it would have been)
  std::string input_name;   // the name opened, ".krv" added where the rule adds it
  std::string output_name;  // the written board's name; empty when nothing was written
  int converted = 0;        // designators made by the conversion
  bool written = false;
  SilkscreenResult silk;  // the arranging's and the check's report (the picture is written)
};

// Runs the board named `file_argument` (as typed on the command line) through the whole road
// with `flags`, printing its messages on stderr. `memory` null: the files are on the disk;
// otherwise they are read from and written to `memory`. Each call starts from an empty board,
// so nothing of one board reaches the next. Every failure is a FatalError.
BoardRun process_board(const std::string& file_argument, const RunFlags& flags,
                       MemoryFiles* memory = nullptr);
