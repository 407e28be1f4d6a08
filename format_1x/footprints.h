// The [footprints] section's reader and writer, and one footprint read and written.
//
// A footprint is a block of records that begins with its "name:" line and ends at the first
// blank line; its pin block ("n_pins:", then "pin:" lines each followed by its pad lines) is the
// last part of the block and is read and written in pins.cpp. Lengths are converted with the
// footprint's own unit (mils or nanometres) on the way in and back out.
#pragma once

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/line_reader.h"
#include "io/output.h"

void read_footprints(LoadContext& ctx);
void write_footprints(Output& out, const Board& board);

// Reads one footprint block, starting at its "name:" line (pushed back by the caller). Returns
// true when the block ended at a blank line, false when the text ended first.
bool read_footprint(LineReader& in, Footprint& fp);

// Writes one footprint block: the header strings, the footprint records in a fixed order, then
// the pins. The block has no blank line of its own at its end.
void write_footprint(Output& out, const Footprint& fp);

// The factor that turns a footprint's file lengths into inches, and back.
inline constexpr double kMilToInch = 0.001;
inline constexpr double kInchToMil = 1000.0;
