// The text of a board file being written, assembled in memory.
//
// Every line feed is stored as a carriage return and line feed pair, the line end the editor
// writes. Lengths are printed in the two integer forms and through format_length.
#pragma once

#include <cstdint>
#include <string>

class Output {
 public:
  // Keeps the whole text in memory.
  Output() = default;
  // Passes the text on to the open file `fd` in large pieces as it grows, so a board of any
  // size is written with little memory.
  explicit Output(int fd) : fd_(fd) { text_.reserve(kFlushSize + 4096); }

  // printf-style; each "\n" of the result becomes "\r\n".
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Appends a literal text, with the same line-end rule.
  void put(const char* text);

  // Writes what is still held to the file; false when any write to it failed.
  bool flush();

  // The text so far (all of it when there is no file).
  const std::string& text() const { return text_; }

 private:
  void append_text(const char* text, size_t length);
  void maybe_flush() {
    if (fd_ >= 0 && text_.size() >= kFlushSize) flush();
  }
  static constexpr size_t kFlushSize = 1 << 17;
  std::string text_;
  int fd_ = -1;
  bool failed_ = false;
};

// A length already converted to the file's unit, printed with "%6.6lf" and then stripped of
// trailing zeros and a trailing point; negative zero prints as 0.
std::string format_length(double value);

// Inches to whole nanometres. Coordinates round halves away from zero; sizes add 0.5 and cut
// toward zero. Values beyond the printed type's range (and NaN) get a defined result: for the
// signed form NaN gives 0 and values past the int range stop at its ends; for the unsigned form
// the whole number is reduced modulo 2^32, as unsigned arithmetic does, and NaN, infinities
// and values past +-2^63 give 0.
int coord_to_nm(double inches);
uint32_t size_to_nm(double inches);
