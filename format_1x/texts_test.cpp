#include "format_1x/texts.h"

#include <gtest/gtest.h>

#include <string>

#include "format_1x/test_support.h"

namespace {

std::string written_texts(const Board& board) {
  Output out;
  write_texts(out, board);
  return out.text();
}

}  // namespace

TEST(Texts, ReadAndWrittenBack) {
  const struct {
    const char* record;
    const char* version;  // the options' version record, or ""
    const char* written;
  } cases[] = {
      // 7 values; angles 0, 90, 360 and 400 through the held convention.
      {"text: \"A\" 100 -200 6 0 0 1000 100", "", "text: \"A\" 100 -200 6 0 0 1000 100"},
      {"text: \"A\" 0 0 6 90 1 10 1", "", "text: \"A\" 0 0 6 90 1 10 1"},
      {"text: \"A\" 0 0 6 360 0 10 1", "", "text: \"A\" 0 0 6 0 0 10 1"},
      {"text: \"A\" 0 0 6 400 0 10 1", "", "text: \"A\" 0 0 6 144 0 10 1"},
      // Rounding of halves: coordinates away from zero, sizes up.
      {"text: \"A\" 1270000.4 -1270000.5 6 0 0 10.5 2.5", "",
       "text: \"A\" 1270000 -1270001 6 0 0 11 3"},
      // Files above 1.33101 write the eighth value, 0 when a record had none.
      {"text: \"A\" 1 2 3 0 0 4 5", "version: 1.332\r\n", "text: \"A\" 1 2 3 0 0 4 5 0"},
      {"text: \"A\" 1 2 3 0 0 4 5 9", "", "text: \"A\" 1 2 3 0 0 4 5 9"},
      // A quote inside: the text ends at the second quote, the numbers follow the last one.
      {"  text: \"a\"b\" 1 2 3 0 0 4 5", "", "text: \"a\" 1 2 3 0 0 4 5"},
      // No range checks: any layer, mirror or negative size is kept.
      {"text: \"\" 0 0 99 0 7 -100 0", "", "text: \"\" 0 0 99 0 7 4294967197 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    const Board board = load_text(board_with(c.version, std::string(c.record) + "\r\n"));
    EXPECT_EQ(written_texts(board), std::string("\r\n[texts]\r\n\r\n") + c.written + "\r\n\r\n");
  }
}

TEST(Texts, OneEighthValueGivesEveryTextAnEighth) {
  const Board board = load_text(board_with(
      "", crlf({"text: \"A\" 1 2 3 0 0 4 5", "", "  junk line", "text: \"B\" 1 2 3 0 0 4 5 6"})));
  EXPECT_EQ(written_texts(board),
            "\r\n[texts]\r\n\r\ntext: \"A\" 1 2 3 0 0 4 5 0\r\n\r\ntext: \"B\" 1 2 3 0 0 4 5 6"
            "\r\n\r\n");
}

TEST(Texts, HeldValuesAreInches) {
  const Board board =
      load_text(board_with("", "text: \"R\" 25400000 -12700000 7 90 1 2540000 254000\r\n"));
  ASSERT_EQ(board.texts.size(), 1u);
  const BoardText& t = board.texts[0];
  EXPECT_DOUBLE_EQ(t.x, 1.0);
  EXPECT_DOUBLE_EQ(t.y, -0.5);
  EXPECT_EQ(t.layer, 7u);
  EXPECT_EQ(t.angle, 270u);
  EXPECT_EQ(t.mirror, 1u);
  EXPECT_DOUBLE_EQ(t.height, 0.1);
  EXPECT_DOUBLE_EQ(t.stroke_width, 0.01);
}

TEST(Texts, LongTextsAndStrokeWidthsAreKeptWhole) {
  // A 140-character record once lost the last digits of its stroke width when read in pieces.
  const std::string long_text(1500, 'T');
  const std::string record = "text: \"" + long_text + "\" 1 2 3 0 0 4 165100";
  const Board board = load_text(board_with("", record + "\r\n"));
  EXPECT_EQ(board.texts[0].text, long_text);
  EXPECT_EQ(written_texts(board), "\r\n[texts]\r\n\r\n" + record + "\r\n\r\n");
}

TEST(Texts, EmptySection) {
  const Board board = load_text(board_with(""));
  EXPECT_TRUE(board.texts.empty());
  EXPECT_EQ(written_texts(board), "\r\n[texts]\r\n\r\n");
}

TEST(Texts, FatalErrors) {
  const std::string head =
      "[options]\r\n[footprints]\r\n[board]\r\n[solder_mask_cutouts]\r\n"
      "[parts]\r\n[nets]\r\n";
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {head + "[end]\r\n", 13084, "premature EOF looking for KRV text"},
      {head + "[texts]\r\ntext: \"a\" 1 2 3 4 5 6 7\r\n", 13110, "premature EOF in text Pass 1"},
      {head + "[texts]\r\ntext: \"a 1 2 3 4 5 6 7\r\n[end]\r\n", 13147, "copying text record"},
      {head + "[texts]\r\ntext: a 1 2 3 4 5 6 7\r\n[end]\r\n", 13147, "copying text record"},
      {head + "[texts]\r\ntext: \"a\" 1 2 3 4 5 6\r\n[end]\r\n", 13156, "bad texts text: record"},
      {head + "[texts]\r\ntext: \"a\"\r\n[end]\r\n", 13156, "bad texts text: record"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message;
    EXPECT_EQ(load_error(c.text, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Texts, SectionsInAnyOrderLoadTheSameBoard) {
  const std::string texts = "text: \"A\" 1 2 3 0 0 4 5\r\n";
  const std::string usual = board_with("", texts);
  const std::string reordered =
      "[texts]\r\n" + texts +
      "[options]\r\n\r\n[footprints]\r\n"
      "[parts]\r\n[nets]\r\n[board]\r\n[solder_mask_cutouts]\r\n[end]\r\n";
  EXPECT_EQ(board_text(load_text(reordered)), board_text(load_text(usual)));
}

TEST(Texts, CrLfAndLfGiveTheSameBoard) {
  std::string crlf_text = board_with("version: 1.340\r\n", "text: \"A\" 1 2 3 0 0 4 5\r\n");
  std::string lf_text;
  for (char c : crlf_text) {
    if (c != '\r') lf_text += c;
  }
  EXPECT_EQ(board_text(load_text(lf_text)), board_text(load_text(crlf_text)));
}
