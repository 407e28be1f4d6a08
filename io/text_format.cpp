#include "io/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct Field {
  bool left = false;  // '-': pad on the right
  bool zero = false;  // '0': pad numbers with zeros after the sign
  int width = 0;
  int precision = -1;  // none given
};

// Pads `text` (whose sign, if any, is its first character) to the field's width.
void append_padded(std::string& out, const char* text, size_t length, const Field& field,
                   bool may_pad_zeros) {
  const size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
  const size_t pad = width > length ? width - length : 0;
  if (pad == 0) {
    out.append(text, length);
  } else if (field.left) {
    out.append(text, length);
    out.append(pad, ' ');
  } else if (field.zero && may_pad_zeros) {
    const size_t sign = length > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    out.append(text, sign);
    out.append(pad, '0');
    out.append(text + sign, length - sign);
  } else {
    out.append(pad, ' ');
    out.append(text, length);
  }
}

// An integer's digits with at least `precision` of them (printf's rule: a precision of 0
// prints the value 0 as nothing).
void append_integer(std::string& out, bool negative, unsigned long long magnitude,
                    const Field& field) {
  char digits[32];
  char* const end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  size_t n = static_cast<size_t>(end - digits);
  if (field.precision == 0 && magnitude == 0) n = 0;
  std::string text;
  if (negative) text += '-';
  if (field.precision > 0 && static_cast<size_t>(field.precision) > n) {
    text.append(static_cast<size_t>(field.precision) - n, '0');
  }
  text.append(digits, n);
  append_padded(out, text.data(), text.size(), field, field.precision < 0);
}

void append_double(std::string& out, double value, const Field& field) {
  const int precision = field.precision < 0 ? 6 : field.precision;
  if (!std::isfinite(value)) {
    // glibc prints the sign of a NaN too.
    const char* text =
        std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan") : (value < 0 ? "-inf" : "inf");
    append_padded(out, text, std::strlen(text), field, false);
    return;
  }
  // The longest fixed text of a double: 309 integer digits, a sign and a point, then the
  // decimals.
  const size_t size = 320 + static_cast<size_t>(precision);
  char small[400];
  std::string big;
  char* buffer = small;
  if (size > sizeof small) {
    big.resize(size);
    buffer = big.data();
  }
  const auto r = std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, precision);
  append_padded(out, buffer, static_cast<size_t>(r.ptr - buffer), field, true);
}

}  // namespace

void append_fixed(std::string& out, double value, int precision, int width) {
  Field field;
  field.precision = precision;
  field.width = width;
  append_double(out, value, field);
}

void append_format(std::string& out, const char* format, va_list args) {
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') {
      const char* literal = f;
      while (f[1] != '\0' && f[1] != '%') ++f;
      out.append(literal, static_cast<size_t>(f + 1 - literal));
      continue;
    }
    const char* const directive = f++;
    Field field;
    for (;; ++f) {
      if (*f == '-') {
        field.left = true;
      } else if (*f == '0') {
        field.zero = true;
      } else {
        break;
      }
    }
    while (*f >= '0' && *f <= '9') field.width = field.width * 10 + (*f++ - '0');
    if (*f == '.') {
      field.precision = 0;
      ++f;
      while (*f >= '0' && *f <= '9') field.precision = field.precision * 10 + (*f++ - '0');
    }
    while (*f == 'l' || *f == 'h') ++f;
    switch (*f) {
      case '%':
        out += '%';
        break;
      case 'd':
      case 'i': {
        const int value = va_arg(args, int);
        const long long wide = value;
        append_integer(out, wide < 0, static_cast<unsigned long long>(wide < 0 ? -wide : wide),
                       field);
        break;
      }
      case 'u':
        append_integer(out, false, va_arg(args, unsigned), field);
        break;
      case 'c': {
        const char c = static_cast<char>(va_arg(args, int));
        append_padded(out, &c, 1, field, false);
        break;
      }
      case 's': {
        const char* text = va_arg(args, const char*);
        size_t length = std::strlen(text);
        if (field.precision >= 0 && static_cast<size_t>(field.precision) < length) {
          length = static_cast<size_t>(field.precision);
        }
        append_padded(out, text, length, field, false);
        break;
      }
      case 'f':
      case 'F':
        append_double(out, va_arg(args, double), field);
        break;
      default:
        // Not a directive this program uses: shown as it stands, and the format ends here
        // when it ended inside the directive.
        out.append(directive, static_cast<size_t>(f - directive) + (*f != '\0'));
        if (*f == '\0') return;
        break;
    }
  }
}

std::string format_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text;
  append_format(text, format, args);
  va_end(args);
  return text;
}

void print_message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text;
  append_format(text, format, args);
  va_end(args);
  std::fwrite(text.data(), 1, text.size(), stderr);
}
