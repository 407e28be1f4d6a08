// The shared shape of a section reader: finding its header, counting its records, stepping to
// the next record, and the message for a record that is too short. The section readers and the
// load frame both use these; each section's own reader and writer are declared in its header
// (options.h, footprints.h, outlines.h, parts.h, nets.h, texts.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "board/model.h"
#include "io/fatal_error.h"
#include "io/line_reader.h"

// What every section reader works on while a file is loaded.
struct LoadContext {
  LineReader& in;
  Board& board;
  const std::string& file_name;  // the board file's name as opened, for messages
  int debug_mode;
};

// Rewinds to the top and reads up to the line that begins (after blanks and tabs) with
// `header`; at the end of the text first, fatal `code` with `message`.
void find_section_header(LineReader& in, const char* header, int code, const char* message);

// From the current place, counts the lines that begin with `keyword` up to the first line that
// begins with another section header. At the end of the text first: fatal `code` with
// `message`, or, when `code` is 0, the count so far. The place and the line counter are
// restored afterwards.
uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               int code, const char* message);
// The same count for several keywords in one sweep: counts[i] for keywords[i].
void count_section_records(LineReader& in, const char* own_header,
                           std::span<const char* const> keywords, std::span<uint32_t> counts,
                           int code, const char* message);

// The second pass's step to the next record: reads lines until one begins, after blanks and
// tabs, with `keyword`, and returns it from there; lines in between are passed over. At the end
// of the text: fatal `code` with `message`.
const char* next_record(LineReader& in, const char* keyword, int code, const char* message);

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
