// File names between the program's form (UTF-8, as every message prints them) and Windows' form
// (UTF-16). Written here rather than asked of the system so that the same rules hold, and are
// tested, on every system.
#pragma once

#include <string>
#include <string_view>

// UTF-16 to UTF-8. A lone surrogate (which Windows allows in a name but no UTF-8 text holds) is
// kept as the three bytes of its code point, so that such a name never turns into another,
// existing name: utf8_to_utf16 refuses it.
std::string utf16_to_utf8(const std::u16string& text);

// UTF-8 to UTF-16; false (and `out` unspecified) for any text that is not valid UTF-8: a stray
// or missing continuation byte, an overlong form, a surrogate, a code point past U+10FFFF.
bool utf8_to_utf16(const std::string& text, std::u16string& out);

// The UTF-8 sequence that `text` begins with: its length in bytes (1 to 4), its code point in
// `code_point`; 0 when `text` does not begin with a whole valid sequence (by the same rules as
// utf8_to_utf16) or is empty.
size_t utf8_sequence(std::string_view text, char32_t& code_point);
