// The one way any step ends the run: a numbered error. It is reported in one place, the catch in
// run_silkora() (driver/run.cpp), which prints the number, the message and where in the file it
// happened. The load frame catches it on the way only to add that place and throws it on.
//
// It sits in io/, the lowest folder, because every other folder raises it: board/ and
// transform/ raise it, driver/ reports it, and none of them has to include a folder above it.
#pragma once

#include <stdexcept>
#include <string>

#include "io/text_format.h"

struct FatalError : std::runtime_error {
  FatalError(int code, std::string message, bool whole_board)
      : std::runtime_error(message), code(code), whole_board(whole_board) {}
  int code;
  // Raised by a check over the whole loaded board: it names what is wrong itself, so no input
  // line is pointed at.
  bool whole_board;
  // "  at line N of "file"" when raised while a board file was read; empty otherwise.
  std::string location;
};

// Ends the run with `code` and `message` (already formatted).
[[noreturn]] void fatal_error(int code, const std::string& message);

// The same for the checks made after a whole board has been read.
[[noreturn]] void fatal_board_error(int code, const std::string& message);
