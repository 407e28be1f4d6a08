// The shared shape of a section reader (see sections.h).
#include "format_1x/sections.h"

#include <cstring>
#include <string>

void find_section_header(LineReader& in, const char* header, ErrorCall<> at_end) {
  in.rewind();
  if (!in.skip_to_header(header)) fatal_error(at_end);
}

// Counts as count_section_records says, leaving the reader where the count ended (an error
// there names that line); tells whether a header ended the count.
static bool count_records(LineReader& in, const char* own_header,
                          std::span<const char* const> keywords, std::span<uint32_t> counts) {
  // Only the start of each line matters here, so lines are looked at where they stand: a line
  // is counted when it begins, after blanks and tabs, with a keyword; another section's header
  // ends the count.
  return in.read_raw_lines([&](const char* begin, const char* end) {
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    if (begin == end) return false;
    if (*begin == '[') return is_other_header(std::string(begin, end).c_str(), own_header);
    const size_t length = static_cast<size_t>(end - begin);
    for (size_t i = 0; i < keywords.size(); ++i) {
      const char* const keyword = keywords[i];
      if (*begin != *keyword) continue;
      const size_t keyword_length = std::strlen(keyword);
      if (length >= keyword_length && std::memcmp(begin, keyword, keyword_length) == 0) {
        ++counts[i];
        break;
      }
    }
    return false;
  });
}

void count_section_records(LineReader& in, const char* own_header,
                           std::span<const char* const> keywords, std::span<uint32_t> counts,
                           ErrorCall<> at_end) {
  const LineReader::Mark start = in.tell();
  if (!count_records(in, own_header, keywords, counts)) fatal_error(at_end);
  in.seek(start);
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               ErrorCall<> at_end) {
  const char* const keywords[] = {keyword};
  uint32_t count = 0;
  count_section_records(in, own_header, keywords, std::span<uint32_t>(&count, 1), at_end);
  return count;
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword) {
  const LineReader::Mark start = in.tell();
  const char* const keywords[] = {keyword};
  uint32_t count = 0;
  count_records(in, own_header, keywords, std::span<uint32_t>(&count, 1));
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
