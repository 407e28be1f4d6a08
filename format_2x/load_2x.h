// Reading a board of the editor's 2.x versions (version 2.0 and above).
//
// Such a board is kept as its bytes (Board::source_2x). Only what the conversion, the check and
// arranging need is read: a few [options] values, the [parts] records part/ref_text/shape/pos
// and the [texts] text records; with them the places the writer will change are remembered.
// Nothing else in the file is looked at, so no record this program does not know is ever an
// error.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "board/model.h"
#include "board/run_flags.h"

// The version record that makes a board a 2.x board.
struct Version2x {
  double version = 0;
  uint32_t line = 0;  // its line number, for messages
};

// The first version record of the options that holds 2.0 or more, read as the [options] reader
// reads version records (the same lines, the same scan); nothing when there is none, and the
// board is then read as a 1.x board.
std::optional<Version2x> find_2x_version(std::string_view text);

// Reads the 2.x board `bytes` into `board`, which keeps them and `storage`, what holds them;
// returns the number of lines of the file. Prints the untested-version caution; every failure
// is a FatalError with the line it concerns. With -M nothing is read: mirroring 2.x boards is
// refused.
uint32_t load_board_2x(Board& board, std::shared_ptr<const void> storage, std::string_view bytes,
                       const std::string& file_name, const RunFlags& flags,
                       const Version2x& version);

// The layer numbers of a board of `version`.
Layers2x layers_2x(double version);
