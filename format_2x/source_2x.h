// What a board of the editor's 2.x versions keeps besides the Board's records: its bytes as
// read, and the places where the writer changes them.
//
// A 2.x board is never printed from its records: it holds dozens of records this program does
// not know, values with units, garbage values and localised names that a reprint could not
// reproduce. It is written back as its own bytes with two kinds of change: the ref_text line of
// each converted part rewritten, and one new text record per converted part inserted into
// [texts].
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// Board coordinates the conversion makes: a part's position plus an offset, each a signed
// 64-bit value, so their sum needs more than 64 bits to be exact.
__extension__ typedef __int128 Nm2x;

// One number of a record, as %d reads it: its value and the characters it took in the file.
struct Value2x {
  int64_t value = 0;
  size_t offset = 0;  // into Source2x::bytes
  uint32_t length = 0;
};

// A ref_text line as it stands in the file.
struct RefTextLine2x {
  size_t keyword = 0;  // where "ref_text:" begins (the indentation is before it)
  size_t next = 0;     // the first byte after the line's own line end
  int n_values = 0;
  Value2x values[6];  // height, stroke, angle, x, y, visible
};

// Indexes into RefTextLine2x::values.
enum RefValue2x { kRefHeight = 0, kRefStroke, kRefAngle, kRefX, kRefY, kRefVisible };

// The text record the conversion made for one part, in the file's own terms.
struct NewText2x {
  bool made = false;
  Nm2x x_nm = 0, y_nm = 0;  // the position as placed
  double x = 0, y = 0;      // the same in inches, as the Board's text holds it until it is moved
  int layer = 0;
  uint32_t angle = 0;  // file convention
  uint32_t mirror = 0;
  // Which of the part's ref_text values are written as 0 (bit i for value i of RefValue2x).
  unsigned zeroed = 0;
};

// A part of a 2.x board in the file's own terms. Its last ref_text line is read again where it
// is needed (read_ref_text_line), so that a board of many parts keeps little per part.
struct Part2x {
  size_t ref_text_line = 0;      // the first byte of its last ref_text line
  int ref_text_values = 0;       // 5 or 6; 0 when the part has no reference text to convert
  int64_t pos_x = 0, pos_y = 0;  // as written
  NewText2x new_text;
};

// The layer numbers of a 2.x board; they depend on its version only.
struct Layers2x {
  int top_silk = 0, bottom_silk = 0, inner_1 = 0, inner_2 = 0;
};

struct Source2x {
  // The file's bytes, and what keeps them (the file's mapping, or the text given).
  std::shared_ptr<const void> storage;
  std::string_view bytes;
  // Line ends of new and rewritten lines: those of the file's first line.
  bool crlf = false;
  // Where the new text records go: the start of the first header line after [texts], or the
  // end of the file.
  size_t insert_at = 0;
  // How many numbers each new text record carries (9 or 10).
  int text_numbers = 10;
  Layers2x layers;
  // n_copper_layers as written; the debug placement needs four.
  int64_t n_copper_layers = 0;
  // One entry per part, in the Board's part order.
  std::vector<Part2x> parts;
};
