// The 2.x writer: the board's bytes copied as they were read, with two kinds of change spliced
// in: the ref_text line of each converted part rewritten (its own indentation, its values with
// the hidden ones as 0), and the new text records inserted where the reader found their place.
// New and rewritten lines end as the file's first line ends.
#include "format_2x/write_2x.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "format_2x/numbers_2x.h"
#include "platform/files.h"

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
    const RefTextLine2x ref = read_ref_text_line(source.bytes, part.ref_text_line);
    append_number(records, ref.values[kRefHeight].value);
    records += ' ';
    append_number(records, ref.values[kRefStroke].value);
    records += source.text_numbers == 10 ? " 0 -1 -1" : " 0 -1";
    records += line_end;
    records += line_end;
  }
  return records;
}

// A converted part's ref_text line: its own indentation, the keyword and its values separated
// by one blank, the hidden ones as 0, the others with the characters they had.
void append_ref_text(std::string& out, std::string_view in, const Part2x& part,
                     const RefTextLine2x& r, const char* line_end) {
  out.append(in.substr(part.ref_text_line, r.keyword - part.ref_text_line));
  out += "ref_text:";
  for (int i = 0; i < r.n_values; ++i) {
    out += ' ';
    if ((part.new_text.zeroed >> i & 1u) != 0) {
      out += '0';
    } else {
      out.append(in.substr(r.values[i].offset, r.values[i].length));
    }
  }
  out += line_end;
}

// Gives the board's text to `put` piece by piece: the bytes as read, with the rewritten
// ref_text lines and the new records in their places.
template <typename Put>
void splice(const Board& board, Put&& put) {
  const Source2x& source = *board.source_2x;
  const std::string_view in = source.bytes;
  const char* const line_end = source.crlf ? "\r\n" : "\n";
  const std::string records = new_records(board, line_end);
  size_t copied = 0;
  bool inserted = false;
  char last = '\0';
  const auto give = [&](std::string_view piece) {
    if (piece.empty()) return;
    put(piece);
    last = piece.back();
  };
  // Copies up to `until`, putting the new records in on the way when their place comes.
  const auto copy_until = [&](size_t until) {
    if (!inserted && source.insert_at <= until) {
      give(in.substr(copied, source.insert_at - copied));
      copied = source.insert_at;
      // At the end of a file whose last line has no line end, the records start a line of
      // their own.
      if (!records.empty() && copied == in.size() && last != '\0' && last != '\n') {
        give(line_end);
      }
      give(records);
      inserted = true;
    }
    give(in.substr(copied, until - copied));
    copied = until;
  };
  std::string line;
  for (const Part2x& part : source.parts) {
    if (!part.new_text.made) continue;
    const RefTextLine2x r = read_ref_text_line(in, part.ref_text_line);
    copy_until(part.ref_text_line);
    line.clear();
    append_ref_text(line, in, part, r, line_end);
    give(line);
    copied = r.next;
  }
  copy_until(in.size());
}

}  // namespace

std::string board_text_2x(const Board& board) {
  std::string out;
  out.reserve(board.source_2x->bytes.size() + 64 * board.source_2x->parts.size());
  splice(board, [&out](std::string_view piece) { out += piece; });
  return out;
}

bool write_board_2x(const Board& board, TempFile& file) {
  // Small pieces are gathered, large ones go to the file as they are.
  constexpr size_t kBuffer = 1 << 17;
  std::string buffer;
  buffer.reserve(kBuffer);
  bool ok = true;
  const auto flush = [&]() {
    if (!buffer.empty()) ok = file.write(buffer.data(), buffer.size()) && ok;
    buffer.clear();
  };
  splice(board, [&](std::string_view piece) {
    if (piece.size() >= kBuffer / 2) {
      flush();
      ok = file.write(piece.data(), piece.size()) && ok;
      return;
    }
    buffer += piece;
    if (buffer.size() >= kBuffer) flush();
  });
  flush();
  return ok;
}
