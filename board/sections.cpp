// The shared shape of a section reader (see sections.h).
#include "board/sections.h"

#include <cstring>
#include <string>

void find_section_header(LineReader& in, const char* header, ErrorCall<> at_end) {
  in.rewind();
  if (!in.skip_to_header(header)) fatal_error(at_end);
}

// Counts as count_section_records says, leaving the reader where the count ended (an error
// there names that line); `stopped` tells whether a header ended the count.
static uint32_t count_records(LineReader& in, const char* own_header, const char* keyword,
                              bool& stopped) {
  const size_t keyword_length = std::strlen(keyword);
  uint32_t count = 0;
  // Only the start of each line matters here, so lines are looked at where they stand: a line
  // is counted when it begins, after blanks and tabs, with the keyword; another section's
  // header ends the count.
  stopped = in.read_raw_lines([&](const char* begin, const char* end) {
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    if (begin == end) return false;
    if (*begin == '[') return is_other_header(std::string(begin, end).c_str(), own_header);
    if (static_cast<size_t>(end - begin) < keyword_length || *begin != *keyword) return false;
    count += std::memcmp(begin, keyword, keyword_length) == 0;
    return false;
  });
  return count;
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               ErrorCall<> at_end) {
  const LineReader::Mark start = in.tell();
  bool stopped = false;
  const uint32_t count = count_records(in, own_header, keyword, stopped);
  if (!stopped) fatal_error(at_end);
  in.seek(start);
  return count;
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword) {
  const LineReader::Mark start = in.tell();
  bool stopped = false;
  const uint32_t count = count_records(in, own_header, keyword, stopped);
  in.seek(start);
  return count;
}

const char* next_record(LineReader& in, const char* keyword, ErrorCall<> at_end) {
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(at_end);
    line = skip_blanks(line);
    if (starts_with(line, keyword)) return line;
  }
}
