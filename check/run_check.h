// The check and arranging steps of one board, as the driver runs them: after the conversion and
// before the board is written.
#pragma once

#include <string>
#include <vector>

#include "board/model.h"
#include "board/run_flags.h"

struct SilkscreenResult {
  std::string report;   // every line to print after the conversion message
  std::string picture;  // the SVG text, with -C
  bool has_findings = false;
  std::vector<int> moved;  // the board texts that -A moved
};

// With -A, arranges the designators the conversion made (the board texts linked to a part);
// with -C, checks the board as it will be written and draws it. `title` names the board in the
// picture. Does nothing without -C and -A.
SilkscreenResult run_silkscreen(Board& board, const RunFlags& flags, const std::string& title);

// The picture's name: beside the written board with ".svg" as extension, or, when no board is
// written, beside the input as NAME_check.svg.
std::string picture_name(const std::string& board_name, bool board_written);
