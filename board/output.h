// The text of a board file being written, assembled in memory.
//
// Every line feed is stored as a carriage return and line feed pair, the line end the editor
// writes. Lengths are printed in the two integer forms and through format_length.
#pragma once

#include <cstdint>
#include <string>

class Output {
 public:
  // printf-style; each "\n" of the result becomes "\r\n".
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Appends a literal text, with the same line-end rule.
  void put(const char* text);

  const std::string& text() const { return text_; }

 private:
  void append_text(const char* text, size_t length);
  std::string text_;
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
