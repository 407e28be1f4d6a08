#include "check/display_text.h"

#include <gtest/gtest.h>

#include <string>

#include "check/silk_check.h"
#include "check/test_boards.h"

namespace {

const std::string kFffd = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

std::string repeat(const std::string& s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += s;
  return out;
}

// The same strings as a report name and as picture text, with room for every character.
TEST(DisplayText, Utf8IsKeptAndOnlyWhatIsNotUtf8IsReplaced) {
  const struct {
    const char* what;
    std::string text, report, picture;
  } cases[] = {
      {"ASCII", "R12", "R12", "R12"},
      {"two-byte characters", "Platine Ä ß", "Platine Ä ß", "Platine Ä ß"},
      {"three-byte characters", "C5 10µF 5€ 电阻", "C5 10µF 5€ 电阻", "C5 10µF 5€ 电阻"},
      {"a four-byte character", "J\U0001F50C", "J\U0001F50C", "J\U0001F50C"},
      {"markup characters", "<a&\"b'>", "<a&\"b'>", "&lt;a&amp;&quot;b'&gt;"},
      {"a Latin-1 byte alone", "R\xC4z", "R?z", "R" + kFffd + "z"},
      {"a lone continuation byte", "\x80Z", "?Z", kFffd + "Z"},
      {"a sequence cut short, each byte replaced", "x\xE2\x82", "x??", "x" + kFffd + kFffd},
      {"a lead byte before ASCII", "\xC3(", "?(", kFffd + "("},
      {"an overlong form", "\xC0\xAF", "??", kFffd + kFffd},
      {"a surrogate", "\xED\xA0\x80", "???", kFffd + kFffd + kFffd},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????", repeat(kFffd, 4)},
      {"bytes no UTF-8 holds", "\xFE\xFF", "??", kFffd + kFffd},
      {"control bytes", "a\tb\r\n\x1B[0m\x7F", "a?b???[0m?", "a?b???[0m?"},
      {"a C1 control is one character", "a\xC2\x9Bz", "a?z", "a?z"},
      {"code points no XML file holds", "\xEF\xBF\xBE\xEF\xBF\xBF", "??", "??"},
      {"U+FFFD itself is a character", kFffd, kFffd, kFffd},
      {"empty", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report_text(c.text, 40), c.report) << c.what;
    EXPECT_EQ(picture_text(c.text, 256), c.picture) << c.what;
  }
}

// Cuts count characters (a byte that is not UTF-8 counts as one), never bytes, and never fall
// inside a character; the report marks a cut with "...".
TEST(DisplayText, CutsAtCharacterBoundaries) {
  const struct {
    const char* what;
    std::string text;
    size_t limit;
    std::string report, picture;
  } cases[] = {
      {"exactly the limit in two-byte characters", repeat("Ä", 40), 40, repeat("Ä", 40),
       repeat("Ä", 40)},
      {"one character more", repeat("Ä", 41), 40, repeat("Ä", 40) + "...", repeat("Ä", 40)},
      {"a three-byte character at the limit", repeat("a", 39) + "€x", 40, repeat("a", 39) + "€...",
       repeat("a", 39) + "€"},
      {"a four-byte character just past the limit", repeat("a", 40) + "\U0001F50C", 40,
       repeat("a", 40) + "...", repeat("a", 40)},
      {"bad bytes count one each", "\xFF\xFF\xFFxyz", 4, "???x...", kFffd + kFffd + kFffd + "x"},
      {"markup counts as one character", "<<<<", 3, "<<<...", "&lt;&lt;&lt;"},
      {"a limit in the hundreds", repeat("电", 257), 256, repeat("电", 256) + "...",
       repeat("电", 256)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report_text(c.text, c.limit), c.report) << c.what;
    EXPECT_EQ(picture_text(c.text, c.limit), c.picture) << c.what;
  }
}

// The report and the picture of a board show its names this way, each cut at its own length:
// 40 characters in the report, 256 in the picture.
TEST(DisplayText, ReportAndPictureShowTheBoardsNames) {
  Board board = check_board();
  board.texts = {text_at("Ω1", 10, 10), text_at("R\xC4", 10.5, 10.5), text_at("", 1, 30)};
  board.texts[2].text = repeat("Ä", 300);  // far longer than the board is wide
  const SilkScene scene = build_scene(board);
  const std::vector<Finding> findings = find_collisions(scene);
  const std::string report = check_report(board, scene, findings);
  EXPECT_NE(report.find("    text \"Ω1\" overlaps text \"R?\" on top at "), std::string::npos)
      << report;
  EXPECT_NE(report.find("    text \"" + repeat("Ä", 40) + "...\" is off the board"),
            std::string::npos)
      << report;
  const std::string picture = check_picture(board, scene, findings, {}, "Platine Ä<1>.krv");
  EXPECT_NE(picture.find(">Silkscreen check of Platine Ä&lt;1&gt;.krv: 2 findings</text>"),
            std::string::npos);
  EXPECT_NE(picture.find(">Ω1</text>"), std::string::npos);
  EXPECT_NE(picture.find(">R" + kFffd + "</text>"), std::string::npos);
  EXPECT_NE(picture.find(">" + repeat("Ä", 256) + "</text>"), std::string::npos);
}

}  // namespace
