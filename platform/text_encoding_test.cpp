#include "platform/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, NamesRoundTripBetweenUtf16AndUtf8) {
  const std::u16string names[] = {u"Platine_Ä.krv", u"Плата.krv",           u"电路板.krv",
                                  u"my board.krv",  u"\U0001F50C plug.krv", u""};
  const std::string utf8[] = {"Platine_Ä.krv", "Плата.krv",           "电路板.krv",
                              "my board.krv",  "\U0001F50C plug.krv", ""};
  for (size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(utf16_to_utf8(names[i]), utf8[i]);
    std::u16string back;
    ASSERT_TRUE(utf8_to_utf16(utf8[i], back)) << utf8[i];
    EXPECT_TRUE(back == names[i]) << utf8[i];
  }
}

// A Windows name with a lone surrogate has no UTF-8 form: it is kept so that it cannot be
// converted back, and so can never open another file than the one meant.
TEST(TextEncoding, NamesWithoutAUtf8FormAreRefused) {
  const std::u16string lone[] = {u"a\xD800.krv", u"\xDC00", u"b\xDBFF"};
  for (const std::u16string& name : lone) {
    std::u16string back;
    EXPECT_FALSE(utf8_to_utf16(utf16_to_utf8(name), back));
  }
  const char* const invalid[] = {"\xFF.krv",         "a\xC3",        "\xC3(",
                                 "\xC0\xAF",         "\xE0\x80\xAF", "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80", "\x80"};
  for (const char* text : invalid) {
    std::u16string out;
    EXPECT_FALSE(utf8_to_utf16(text, out)) << text;
  }
}
