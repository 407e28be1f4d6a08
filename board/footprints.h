// One footprint of the [footprints] section and its pin block, read and written.
//
// A footprint is a block of records that begins with its "name:" line and ends at the first
// blank line; its pin block ("n_pins:", then "pin:" lines each followed by its pad lines) is the
// last part of the block. Lengths are converted with the footprint's own unit (mils or
// nanometres) on the way in and back out.
#pragma once

#include <cstdint>

#include "io/fatal_error.h"
#include "io/line_reader.h"
#include "board/model.h"
#include "io/output.h"

// Reads one footprint block, starting at its "name:" line (pushed back by the caller). Returns
// true when the block ended at a blank line, false when the text ended first.
bool read_footprint(LineReader& in, Footprint& fp);

// Writes one footprint block: the header strings, the footprint records in a fixed order, then
// the pins. The block has no blank line of its own at its end.
void write_footprint(Output& out, const Footprint& fp);

// Reads the pin block that `line` (an "n_pins:" line, blanks skipped) opens: the count, then
// the pins and their pad lines. Lengths are multiplied by `unit_factor`. The line that ends the
// last pin (a blank line or a surplus "pin:" line) is left to the footprint parser.
void read_pin_block(LineReader& in, Footprint& fp, const char* line, double unit_factor);

// Writes the pins of `fp` with their pad lines, lengths multiplied by `factor`. A surface pin
// without copper on either side cannot be written: fatal 16214.
void write_pins(Output& out, const Footprint& fp, double factor);

// The plural ending of "missing %u parameter%s": none when exactly one value is missing.
inline const char* plural_s(uint32_t missing) {
  return missing == 1 ? "" : "s";
}

// Ends the run with a "... missing %u parameter%s" message: `format` takes the names first,
// then the number of values missing (required less converted) and the plural ending.
template <typename... Names>
[[noreturn]] void fatal_missing(int code, const char* format, int required, int converted,
                                Names... names) {
  const uint32_t missing = static_cast<uint32_t>(required - converted);
  fatal_error(code, format_text(format, names..., missing, plural_s(missing)));
}

// The factor that turns a footprint's file lengths into inches, and back.
inline constexpr double kMilToInch = 0.001;
inline constexpr double kInchToMil = 1000.0;
