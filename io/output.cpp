#include "io/output.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <limits>
#include <vector>

#include "io/text_format.h"
#include "platform/files.h"

void Output::grow(size_t at_least) {
  size_t capacity = capacity_ == 0 ? kRoom : capacity_;
  while (capacity < at_least) capacity *= 2;
  std::unique_ptr<char[]> bigger(new char[capacity]);
  if (used_ > 0) std::memcpy(bigger.get(), buffer_.get(), used_);
  buffer_ = std::move(bigger);
  capacity_ = capacity;
}

void Output::append_text(const char* text, size_t length) {
  // At worst every byte is a line feed and doubles.
  char* out = room(2 * length);
  if (length <= 32) {
    // Most texts are a designator or a number: copied byte by byte.
    for (const char* const end = text + length; text < end; ++text) {
      if (*text == '\n') *out++ = '\r';
      *out++ = *text;
    }
    used_ = static_cast<size_t>(out - buffer_.get());
    return;
  }
  const char* const end = text + length;
  while (text < end) {
    const void* nl = std::memchr(text, '\n', static_cast<size_t>(end - text));
    const char* stop = nl == nullptr ? end : static_cast<const char*>(nl);
    std::memcpy(out, text, static_cast<size_t>(stop - text));
    out += stop - text;
    if (stop == end) break;
    *out++ = '\r';
    *out++ = '\n';
    text = stop + 1;
  }
  used_ = static_cast<size_t>(out - buffer_.get());
}

void Output::put(const char* text) {
  append_text(text, std::strlen(text));
  maybe_flush();
}

bool Output::flush() {
  if (file_ == nullptr) return !failed_;
  if (!failed_ && used_ > 0) failed_ = !file_->write(buffer_.get(), used_);
  used_ = 0;
  return !failed_;
}

// Prints `format` when each of its directives is one printed here exactly as printf prints it:
// %s, %u, %d, %c and %1u (a field width of 1 never pads a number). Board files are millions of
// short records, and printing them without the general printf machinery is most of the writer's
// speed. Returns false, having written nothing, for any other directive.
bool Output::print_plain(const char* format, va_list args) {
  const size_t start = used_;
  // The record is written through a local cursor; room is made again whenever less than the
  // longest number (or a line end) is left.
  constexpr size_t kNumber = 16;
  char* out = room(kRoom);
  char* limit = buffer_.get() + capacity_;
  for (const char* f = format; *f != '\0'; ++f) {
    if (static_cast<size_t>(limit - out) < kNumber) {
      used_ = static_cast<size_t>(out - buffer_.get());
      out = room(kRoom);
      limit = buffer_.get() + capacity_;
    }
    if (*f != '%') {
      if (*f == '\n') *out++ = '\r';
      *out++ = *f;
      continue;
    }
    ++f;
    if (*f == '1' && f[1] == 'u') ++f;
    switch (*f) {
      case 's': {
        const char* text = va_arg(args, const char*);
        used_ = static_cast<size_t>(out - buffer_.get());
        append_text(text, std::strlen(text));
        out = buffer_.get() + used_;
        limit = buffer_.get() + capacity_;
        break;
      }
      case 'u':
        out = std::to_chars(out, out + kNumber, va_arg(args, unsigned)).ptr;
        break;
      case 'd':
        out = std::to_chars(out, out + kNumber, va_arg(args, int)).ptr;
        break;
      case 'c': {
        const char c = static_cast<char>(va_arg(args, int));
        if (c == '\n') *out++ = '\r';
        *out++ = c;
        break;
      }
      default:
        used_ = start;
        return false;
    }
  }
  used_ = static_cast<size_t>(out - buffer_.get());
  return true;
}

void Output::print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const bool printed = print_plain(format, args);
  va_end(args);
  if (!printed) {
    std::string text;
    append_format(text, format, copy);
    append_text(text.data(), text.size());
  }
  va_end(copy);
  maybe_flush();
}

namespace {

// Most lengths are whole numbers give or take the rounding of the unit conversion. A value
// closer than 1e-7 to a whole number prints its six decimals as zeros, which are stripped, so it
// is that whole number (the difference is exact: the two are that close). Only a tiny negative
// value keeps its sign: it prints as "-0". Writes such a value's text at `out` (room for 24)
// and returns its end, or returns nullptr for any other value.
char* put_whole_length(char* out, double value) {
  value += 0.0;  // -0.0 + 0.0 is +0.0
  if (!(std::fabs(value) < 1e15)) return nullptr;
  // The nearest whole number, found without a library call (millions of lengths pass here). A
  // value halfway between two whole numbers may go either way: it is not close to either.
  double whole = static_cast<double>(static_cast<int64_t>(value));
  const double rest = value - whole;
  if (rest > 0.5) {
    whole += 1;
  } else if (rest < -0.5) {
    whole -= 1;
  }
  if (!(std::fabs(value - whole) < 1e-7) || (whole == 0 && value < 0)) return nullptr;
  return std::to_chars(out, out + 24, static_cast<int64_t>(whole)).ptr;
}

}  // namespace

char* Output::put_length(char* out, double value, size_t room_left) {
  if (char* end = put_whole_length(out, value)) return end;
  const std::string text = format_length(value);
  used_ = static_cast<size_t>(out - buffer_.get());
  append_text(text.data(), text.size());
  return room(room_left);
}

std::string format_length(double value) {
  char digits[24];
  if (const char* end = put_whole_length(digits, value)) {
    return std::string(digits, static_cast<size_t>(end - digits));
  }
  value += 0.0;  // -0.0 + 0.0 is +0.0
  // For a finite value, fixed notation with six decimals is exactly what "%6.6lf" prints (the
  // width of 6 never pads: six decimals make the text longer); inf and nan are padded.
  std::string text;
  append_fixed(text, value, 6, 6);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

int coord_to_nm(double inches) {
  double nm = inches * 25400000.0;
  nm = nm >= 0 ? nm + 0.5 : nm - 0.5;
  if (std::isnan(nm)) return 0;
  if (nm >= 2147483648.0) return std::numeric_limits<int>::max();
  if (nm <= -2147483649.0) return std::numeric_limits<int>::min();
  return static_cast<int>(nm);
}

double written_length(double inches) {
  const double nm = inches * 25400000.0;
  if (!(nm > -2147483648.5 && nm < 2147483647.5)) return inches;
  // The readers' own factor, so the value is the one a load of the written file gives.
  return static_cast<double>(coord_to_nm(inches)) * 3.937007874015748e-8;
}

uint32_t size_to_nm(double inches) {
  double nm = inches * 25400000.0 + 0.5;
  if (!(nm > -9223372036854775808.0 && nm < 9223372036854775808.0)) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(nm)));
}
