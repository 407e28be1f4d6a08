// The lines of a board kept as its bytes, walked without copying: the 2.x reader and the
// reader of its footprints and outline both go through them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// One line of the file: its text [begin, text_end) without the line end, and where the next
// line begins.
struct Line {
  size_t begin = 0, text_end = 0, next = 0;
};

// Walks the lines of `text`, counting them.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  // The next line's text, without its line end.
  bool next(std::string_view& text) {
    Line line;
    if (!next(line)) return false;
    text = text_.substr(line.begin, line.text_end - line.begin);
    return true;
  }
  bool next(Line& line) {
    if (pos_ >= text_.size()) return false;
    line.begin = pos_;
    const void* feed = std::memchr(text_.data() + pos_, '\n', text_.size() - pos_);
    if (feed == nullptr) {
      line.text_end = line.next = text_.size();
    } else {
      line.next = static_cast<size_t>(static_cast<const char*>(feed) - text_.data()) + 1;
      line.text_end = line.next - 1;
      // A carriage return before the line feed belongs to the line end.
      if (line.text_end > line.begin && text_[line.text_end - 1] == '\r') --line.text_end;
    }
    pos_ = line.next;
    ++number_;
    return true;
  }
  uint32_t number() const { return number_; }
  // A walk over the same text from where this one stands, for looking ahead.
  Lines ahead() const { return *this; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  uint32_t number_ = 0;
};
