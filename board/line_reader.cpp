#include "board/line_reader.h"

#include <cstdio>
#include <cstring>

LineReader::LineReader(std::string bytes) : bytes_(std::move(bytes)) {
  // Terminate every line in place so each one can be handed out as a C string. A line that ends
  // the text without a line feed is terminated by the string's own final NUL.
  char* data = bytes_.data();
  const size_t size = bytes_.size();
  size_t pos = 0;
  while (pos < size) {
    starts_.push_back(pos);
    const void* nl = std::memchr(data + pos, '\n', size - pos);
    if (nl == nullptr) break;
    size_t end = static_cast<size_t>(static_cast<const char*>(nl) - data);
    data[end] = '\0';
    if (end > pos && data[end - 1] == '\r') data[end - 1] = '\0';
    pos = end + 1;
  }
}

const char* LineReader::read_line() {
  if (pushed_back_) {
    pushed_back_ = false;
    return last_;
  }
  if (next_line_ >= starts_.size()) return nullptr;
  last_ = bytes_.data() + starts_[next_line_++];
  ++counter_;
  return last_;
}

void LineReader::push_back_line() {
  if (last_ != nullptr) pushed_back_ = true;
}

const char* text_at(const char* line, size_t pos) {
  for (size_t i = 0; i < pos; ++i) {
    if (line[i] == '\0') return line + i;
  }
  return line + pos;
}

long extract_quoted(std::string& dest, const char* line) {
  const char* open = std::strchr(line, '"');
  if (open == nullptr) return -1;
  const char* start = open + 1;
  const char* close = std::strchr(start, '"');
  if (close == nullptr) {
    dest.assign(start);
    return -1;
  }
  dest.assign(start, static_cast<size_t>(close - start));
  return static_cast<long>(close - start);
}

const char* after_last_quote(const char* line) {
  const char* last = std::strrchr(line, '"');
  return last == nullptr ? line : last + 1;
}

bool is_other_header(const char* line, const char* own) {
  for (const char* header : kSectionHeaders) {
    if (std::strcmp(header, own) != 0 && starts_with(line, header)) return true;
  }
  return false;
}
