// The text of a board file being written, assembled in memory.
//
// Every line feed is stored as a carriage return and line feed pair, the line end the editor
// writes. Lengths are printed in the two integer forms and through format_length.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>

class Output {
 public:
  // Keeps the whole text in memory.
  Output() = default;
  // Passes the text on to the open file `fd` in large pieces as it grows, so a board of any
  // size is written with little memory.
  explicit Output(int fd) : fd_(fd) { grow(kFlushSize + kRoom); }

  // printf-style; each "\n" of the result becomes "\r\n".
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Appends a literal text, with the same line-end rule.
  void put(const char* text);

  // Writes what is still held to the file; false when any write to it failed.
  bool flush();

  // The text so far (all of it when there is no file).
  std::string text() const { return std::string(buffer_.get(), used_); }

 private:
  // Room for `bytes` more; every record is written straight into the buffer.
  char* room(size_t bytes) {
    if (capacity_ - used_ < bytes) grow(used_ + bytes);
    return buffer_.get() + used_;
  }
  void grow(size_t at_least);
  bool print_plain(const char* format, va_list args);
  void append_text(const char* text, size_t length);
  void maybe_flush() {
    if (fd_ >= 0 && used_ >= kFlushSize) flush();
  }
  static constexpr size_t kFlushSize = 1 << 17;
  static constexpr size_t kRoom = 4096;
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
  size_t capacity_ = 0;
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
