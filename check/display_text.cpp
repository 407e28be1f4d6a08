#include "check/display_text.h"

#include "platform/text_encoding.h"

namespace {

enum class CharKind { kShown, kControl, kNotUtf8 };

// C0 and C1 controls and DEL; U+FFFE and U+FFFF are not characters of an XML file.
bool is_control(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF;
}

// Hands each character of `text` to `put` with its kind and bytes, at most `limit` of them;
// true when `text` holds more.
template <typename Put>
bool for_each_char(std::string_view text, size_t limit, Put put) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    if (count == limit) return true;
    char32_t c = 0;
    const size_t length = utf8_sequence(text.substr(i), c);
    if (length == 0) {
      put(CharKind::kNotUtf8, text.substr(i, 1));
      ++i;
    } else {
      put(is_control(c) ? CharKind::kControl : CharKind::kShown, text.substr(i, length));
      i += length;
    }
  }
  return false;
}

}  // namespace

std::string report_text(std::string_view text, size_t limit) {
  std::string out;
  const bool cut = for_each_char(text, limit, [&](CharKind kind, std::string_view c) {
    if (kind == CharKind::kShown) {
      out += c;
    } else {
      out += '?';
    }
  });
  if (cut) out += "...";
  return out;
}

std::string picture_text(std::string_view text, size_t limit) {
  std::string out;
  for_each_char(text, limit, [&](CharKind kind, std::string_view c) {
    switch (kind) {
      case CharKind::kNotUtf8:
        out += "\xEF\xBF\xBD";  // U+FFFD, the replacement character
        return;
      case CharKind::kControl:
        out += '?';
        return;
      case CharKind::kShown:
        break;
    }
    if (c == "&") {
      out += "&amp;";
    } else if (c == "<") {
      out += "&lt;";
    } else if (c == ">") {
      out += "&gt;";
    } else if (c == "\"") {
      out += "&quot;";
    } else {
      out += c;
    }
  });
  return out;
}
