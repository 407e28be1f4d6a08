// The 2.x writer: the board's bytes copied as they were read, with two kinds of change spliced
// in: the ref_text line of each converted part rewritten (its own indentation, its values with
// the hidden ones as 0), and the new text records inserted where the reader found their place.
// New and rewritten lines end as the file's first line ends.
#include "board/write_2x.h"

#include <charconv>
#include <cmath>

namespace {

// A whole number of any size the conversion makes, in full.
void append_number(std::string& out, Nm2x value) {
  char digits[48];
  char* p = digits + sizeof digits;
  const bool negative = value < 0;
  // Digits taken from the negative side, which holds the lowest value too.
  Nm2x rest = negative ? value : -value;
  do {
    *--p = static_cast<char>('0' - static_cast<int>(rest % 10));
    rest /= 10;
  } while (rest != 0);
  if (negative) *--p = '-';
  out.append(p, static_cast<size_t>(digits + sizeof digits - p));
}

// A position the new text holds: exactly as placed while it has not been moved; once arranging
// has moved it (in inches), rounded to whole nanometres, halves away from zero.
Nm2x written_position(double inches, double placed_inches, Nm2x placed_nm) {
  if (inches == placed_inches) return placed_nm;
  const double nm = std::round(inches * kInchToNm);
  // Arranging moves a text by a few millimetres: a value that is no number cannot come from it.
  if (!std::isfinite(nm) || std::fabs(nm) > 1e30) return placed_nm;
  return static_cast<Nm2x>(nm);
}

// The new text records, each followed by an empty line, in the order the conversion made them.
std::string new_records(const Board& board, const char* line_end) {
  const Source2x& source = *board.source_2x;
  std::string records;
  for (const BoardText& t : board.texts) {
    if (t.part_index < 0 || static_cast<size_t>(t.part_index) >= source.parts.size()) continue;
    const Part2x& part = source.parts[static_cast<size_t>(t.part_index)];
    const NewText2x& n = part.new_text;
    if (!n.made) continue;
    records += "text: \"";
    records += t.text;
    records += "\" ";
    append_number(records, written_position(t.x, n.x, n.x_nm));
    records += ' ';
    append_number(records, written_position(t.y, n.y, n.y_nm));
    records += ' ';
    append_number(records, n.layer);
    records += ' ';
    append_number(records, n.angle);
    records += ' ';
    append_number(records, n.mirror);
    records += ' ';
    append_number(records, part.ref_text.values[kRefHeight].value);
    records += ' ';
    append_number(records, part.ref_text.values[kRefStroke].value);
    records += source.text_numbers == 10 ? " 0 -1 -1" : " 0 -1";
    records += line_end;
    records += line_end;
  }
  return records;
}

// A converted part's ref_text line: its own indentation, the keyword and its values separated
// by one blank, the hidden ones as 0, the others with the characters they had.
void append_ref_text(std::string& out, const std::string& in, const Part2x& part,
                     const char* line_end) {
  const RefText2x& r = part.ref_text;
  out.append(in, r.line_begin, r.keyword - r.line_begin);
  out += "ref_text:";
  for (int i = 0; i < r.n_values; ++i) {
    out += ' ';
    if ((part.new_text.zeroed >> i & 1u) != 0) {
      out += '0';
    } else {
      out.append(in, r.values[i].offset, r.values[i].length);
    }
  }
  out += line_end;
}

}  // namespace

std::string board_text_2x(const Board& board) {
  const Source2x& source = *board.source_2x;
  const std::string& in = source.bytes;
  const char* const line_end = source.crlf ? "\r\n" : "\n";
  const std::string records = new_records(board, line_end);
  std::string out;
  out.reserve(in.size() + records.size() + 64 * source.parts.size());
  size_t copied = 0;
  bool inserted = false;
  // Copies up to `until`, putting the new records in on the way when their place comes.
  const auto copy_until = [&](size_t until) {
    if (!inserted && source.insert_at <= until) {
      out.append(in, copied, source.insert_at - copied);
      copied = source.insert_at;
      // At the end of a file whose last line has no line end, the records start a line of
      // their own.
      if (!records.empty() && copied == in.size() && !out.empty() && out.back() != '\n') {
        out += line_end;
      }
      out += records;
      inserted = true;
    }
    out.append(in, copied, until - copied);
    copied = until;
  };
  for (const Part2x& part : source.parts) {
    if (!part.new_text.made) continue;
    copy_until(part.ref_text.line_begin);
    append_ref_text(out, in, part, line_end);
    copied = part.ref_text.line_next;
  }
  copy_until(in.size());
  return out;
}
