// The text of a board file being written: assembled in memory, or passed on to an open file in
// large pieces as it grows.
//
// Every line feed is stored as a carriage return and line feed pair, the line end the editor
// writes. Lengths are printed in the two integer forms and through format_length.
#pragma once

#include <array>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "io/fixed_format.h"

class TempFile;

namespace output_detail {

// A literal piece of a fixed format, line ends already doubled, then the directive after it
// ('\0' after the last piece).
struct Piece {
  size_t start = 0, length = 0;
  char directive = '\0';
};

template <FixedFormat F>
struct Parsed {
  static constexpr size_t kText = sizeof F.text - 1;
  static constexpr size_t count_directives() {
    size_t n = 0;
    for (size_t i = 0; i < kText; ++i) {
      if (F.text[i] != '%') continue;
      ++i;
      if (F.text[i] == '1' && F.text[i + 1] == 'u') ++i;
      if (F.text[i] != 's' && F.text[i] != 'u' && F.text[i] != 'd' && F.text[i] != 'c') {
        throw "only %s, %u, %1u, %d and %c can be printed from a fixed format";
      }
      ++n;
    }
    return n;
  }
  static constexpr size_t kDirectives = count_directives();
  static constexpr size_t literal_size() {
    size_t n = 0;
    for (size_t i = 0; i < kText; ++i) {
      if (F.text[i] == '%') {
        i += F.text[i + 1] == '1' ? 2 : 1;
      } else {
        n += F.text[i] == '\n' ? 2 : 1;
      }
    }
    return n;
  }
  static constexpr size_t kLiteral = literal_size();
  struct Layout {
    std::array<char, kLiteral + 1> literal{};
    std::array<Piece, kDirectives + 1> pieces{};
  };
  static constexpr Layout layout() {
    Layout l;
    size_t out = 0, piece = 0;
    l.pieces[0].start = 0;
    for (size_t i = 0; i < kText; ++i) {
      if (F.text[i] == '%') {
        if (F.text[i + 1] == '1') ++i;
        l.pieces[piece].length = out - l.pieces[piece].start;
        l.pieces[piece].directive = F.text[++i];
        l.pieces[++piece].start = out;
      } else {
        if (F.text[i] == '\n') l.literal[out++] = '\r';
        l.literal[out++] = F.text[i];
      }
    }
    l.pieces[piece].length = out - l.pieces[piece].start;
    return l;
  }
  static constexpr Layout kLayout = layout();
};

}  // namespace output_detail

// A length already converted to the file's unit, given to a fixed format's %s: it is printed
// as format_length prints it, straight into the output.
struct Length {
  double value;
};

class Output {
 public:
  // Keeps the whole text in memory.
  Output() = default;
  // Passes the text on to `file` in large pieces as it grows, so a board of any size is
  // written with little memory.
  explicit Output(TempFile& file) : file_(&file) { grow(kFlushSize + kRoom); }

  // printf-style; each "\n" of the result becomes "\r\n".
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // The same for a format fixed at build time: out.print<"  pin: %u %s\n">(number, name). Only
  // %s (a C string, or a Length printed by format_length), %u, %1u and %d (integers, converted
  // as printf converts them) and %c (a char) may stand in it.
  template <FixedFormat F, typename... Values>
  void print(const Values&... values);
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
  template <char directive, typename Value>
  char* put_value(char* out, const Value& value, size_t room_left);
  char* put_length(char* out, double value, size_t room_left);
  bool print_plain(const char* format, va_list args);
  void append_text(const char* text, size_t length);
  void maybe_flush() {
    if (file_ != nullptr && used_ >= kFlushSize) flush();
  }
  static constexpr size_t kFlushSize = 1 << 17;
  static constexpr size_t kRoom = 4096;
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
  size_t capacity_ = 0;
  TempFile* file_ = nullptr;
  bool failed_ = false;
};

template <char directive, typename Value>
char* Output::put_value(char* out, const Value& value, size_t room_left) {
  if constexpr (directive == 's' && std::is_same_v<Value, Length>) {
    return put_length(out, value.value, room_left);
  } else if constexpr (directive == 's') {
    static_assert(std::is_convertible_v<Value, const char*>, "%s takes a C string or a Length");
    const char* text = value;
    used_ = static_cast<size_t>(out - buffer_.get());
    append_text(text, std::strlen(text));
    return room(room_left);
  } else if constexpr (directive == 'c') {
    static_assert(std::is_same_v<Value, char>, "%c takes a char");
    if (value == '\n') *out++ = '\r';
    *out++ = value;
    return out;
  } else {
    static_assert(std::is_integral_v<Value>, "%u and %d take integers");
    if constexpr (directive == 'u') {
      return std::to_chars(out, out + 16, static_cast<unsigned>(value)).ptr;
    } else {
      return std::to_chars(out, out + 16, static_cast<int>(value)).ptr;
    }
  }
}

template <FixedFormat F, typename... Values>
void Output::print(const Values&... values) {
  using P = output_detail::Parsed<F>;
  static_assert(sizeof...(Values) == P::kDirectives, "one value for each directive");
  constexpr auto& layout = P::kLayout;
  // Enough for the literal pieces and every number (a whole length takes at most 17
  // characters); strings and other lengths make their own room.
  constexpr size_t kRecord = P::kLiteral + 24 * P::kDirectives + 2;
  char* out = room(kRecord);
  [&]<size_t... I>(std::index_sequence<I...>) {
    ((std::memcpy(out, layout.literal.data() + layout.pieces[I].start, layout.pieces[I].length),
      out += layout.pieces[I].length,
      out = put_value<layout.pieces[I].directive>(out, values, kRecord)),
     ...);
  }
  (std::index_sequence_for<Values...>{});
  constexpr output_detail::Piece last = layout.pieces[P::kDirectives];
  std::memcpy(out, layout.literal.data() + last.start, last.length);
  used_ = static_cast<size_t>(out + last.length - buffer_.get());
  maybe_flush();
}

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

// A length as a board written in whole nanometres holds it once read back: coord_to_nm's
// rounding (halves away from zero), in inches again as the readers convert. The check and
// arranging work on these values, so they see the texts where the written file puts them. A
// value the int form cannot hold (not a number, infinite, or beyond +-2^31 nm, where the
// writer stops at the int range's ends) stays as it is: no board holds it, and the check
// passes such values over or takes them as they are.
double written_length(double inches);
