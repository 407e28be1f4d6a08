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
// `header`; at the end of the text first, fatal `at_end`.
void find_section_header(LineReader& in, const char* header, ErrorCall<> at_end);

// From the current place, counts the lines that begin with `keyword` up to the first line that
// begins with another section header. At the end of the text first: fatal `at_end`. The place
// and the line counter are restored afterwards.
uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               ErrorCall<> at_end);

// The same for a section that may run to the end of the text: the end just ends the count.
uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword);
// The same count for several keywords in one sweep: counts[i] for keywords[i].
void count_section_records(LineReader& in, const char* own_header,
                           std::span<const char* const> keywords, std::span<uint32_t> counts,
                           ErrorCall<> at_end);

// The second pass's step to the next record: reads lines until one begins, after blanks and
// tabs, with `keyword`, and returns it from there; lines in between are passed over. At the end
// of the text: fatal `at_end`.
const char* next_record(LineReader& in, const char* keyword, ErrorCall<> at_end);

// The plural ending of "missing %u parameter%s": none when exactly one value is missing.
inline const char* plural_s(uint32_t missing) {
  return missing == 1 ? "" : "s";
}

// Ends the run with a "... missing %u parameter%s" message: its format takes the names first,
// then the number of values missing (required less converted) and the plural ending.
template <typename... Names>
[[noreturn]] void fatal_missing(
    ErrorCall<std::type_identity_t<Names>..., uint32_t, const char*> call, int required,
    int converted, Names... names) {
  const uint32_t missing = static_cast<uint32_t>(required - converted);
  fatal_error<Names..., uint32_t, const char*>(call, names..., missing, plural_s(missing));
}
