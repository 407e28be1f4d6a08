// The pin block of a footprint, read and written; the records are described in pins.cpp.
#pragma once

#include "board/model.h"
#include "io/line_reader.h"
#include "io/output.h"

// Reads the pin block that `line` (an "n_pins:" line, blanks skipped) opens: the count, then
// the pins and their pad lines. Lengths are multiplied by `unit_factor`. The line that ends the
// last pin (a blank line or a surplus "pin:" line) is left to the footprint parser.
void read_pin_block(LineReader& in, Footprint& fp, const char* line, double unit_factor);

// Writes the pins of `fp` with their pad lines, lengths multiplied by `factor`. A surface pin
// without copper on either side cannot be written: fatal 16214.
void write_pins(Output& out, const Footprint& fp, double factor);
