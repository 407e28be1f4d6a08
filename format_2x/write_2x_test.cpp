#include "format_2x/write_2x.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "format_2x/load_2x.h"
#include "format_2x/test_support_2x.h"

namespace {

TEST(Write2x, RewritesTheRefTextLineWithItsOwnIndentationAndValuesAsWritten) {
  const struct {
    const char* name;
    std::string input;
    std::string output;
  } cases[] = {
      {"tabs, signs, zeros, trailing words",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n \t ref_text:\t+0800000  0150000 -0090 "
       "+1 -2 -842150451 7 8\n[texts]\n",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n \t ref_text: 0 0 -0090 +1 -2 "
       "-842150451\n[texts]\ntext: \"R1\" 1 -2 10 270 0 800000 150000 0 -1 -1\n\n"},
      {"five values stay five",
       "[options]\nversion: 2.427\n[parts]\npart: R1\nref_text: 8 1 0 0 0\n[texts]\n",
       "[options]\nversion: 2.427\n[parts]\npart: R1\nref_text: 0 0 0 0 0\n[texts]\n"
       "text: \"R1\" 0 0 10 0 0 8 1 0 -1 -1\n\n"},
      {"CR LF file",
       "[options]\r\nversion: 2.028\r\n[parts]\r\npart: R1\r\n  ref_text: 8 1 0 0 0 "
       "1\r\n[texts]\r\n",
       "[options]\r\nversion: 2.028\r\n[parts]\r\npart: R1\r\n  ref_text: 0 0 0 0 0 "
       "1\r\n[texts]\r\n"
       "text: \"R1\" 0 0 10 0 0 8 1 0 -1\r\n\r\n"},
      // New and rewritten lines end as the first line ends; the others keep their own.
      {"first line LF",
       "[options]\nversion: 2.028\r\n[parts]\r\npart: R1\r\n  ref_text: 8 1 0 0 0 1\r\n[texts]\r\n",
       "[options]\nversion: 2.028\r\n[parts]\r\npart: R1\r\n  ref_text: 0 0 0 0 0 1\n[texts]\r\n"
       "text: \"R1\" 0 0 10 0 0 8 1 0 -1\n\n"},
      {"first line CR LF",
       "[options]\r\nversion: 2.028\n[parts]\npart: R1\n  ref_text: 8 1 0 0 0 1\n[texts]",
       "[options]\r\nversion: 2.028\n[parts]\npart: R1\n  ref_text: 0 0 0 0 0 1\r\n[texts]\r\n"
       "text: \"R1\" 0 0 10 0 0 8 1 0 -1\r\n\r\n"},
      // Several ref_text lines: the last one counts and only it changes.
      {"last ref_text",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n ref_text: 5 5 5 5 5 5\n ref_text: 8 1 0 0 0 "
       "1\n[texts]\n",
       "[options]\nversion: 2.427\n[parts]\npart: R1\n ref_text: 5 5 5 5 5 5\n ref_text: 0 0 0 0 0 "
       "1\n[texts]\n"
       "text: \"R1\" 0 0 10 0 0 8 1 0 -1 -1\n\n"},
      // Names and every other byte as they were, whatever they are.
      {"bytes above 127",
       "[options]\nversion: 2.427\nlayer_info: \"\xe2\xe5\xf0\xf5\" 10\n[parts]\npart: "
       "\xd0\xc5\xcb\xc5 1\n  ref_text: 8 1 0 0 0 1\n[texts]\n",
       "[options]\nversion: 2.427\nlayer_info: \"\xe2\xe5\xf0\xf5\" 10\n[parts]\npart: "
       "\xd0\xc5\xcb\xc5 1\n  ref_text: 0 0 0 0 0 1\n[texts]\n"
       "text: \"\xd0\xc5\xcb\xc5 1\" 0 0 10 0 0 8 1 0 -1 -1\n\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted2x r = convert_2x(c.input);
    EXPECT_EQ(r.text, c.output);
    expect_sound_conversion(c.input, r);
  }
}

// A position in inches whose nanometres, as the writer computes them, end in exactly one half.
double inches_at_half(double nm) {
  const double inches = nm / 25400000.0;
  EXPECT_EQ(inches * 25400000.0, nm) << "no exact half for " << nm;
  return inches;
}

TEST(Write2x, MovedTextsAreRoundedHalvesAwayFromZero) {
  const std::string input =
      board_2x("2.427", "part: R1\n  ref_text: 8 1 0 1 0 1\n  pos: 0 0 0 45 0\n", "", 2, "\n");
  const struct {
    double nm;
    const char* x;
  } cases[] = {{1000000.5, "1000001"}, {-1000000.5, "-1000001"}, {3.5, "4"}, {-0.5, "-1"}};
  for (const auto& c : cases) {
    Converted2x r = convert_2x(input);
    ASSERT_EQ(r.board.texts.size(), 1u);
    BoardText& t = r.board.texts[0];
    // Untouched: exactly as placed (1 nm at 45 degrees: 0.707, -0.707).
    EXPECT_NE(board_text(r.board).find("text: \"R1\" 1 -1 10 45 0 8 1 0 -1 -1\n"),
              std::string::npos);
    t.x = inches_at_half(c.nm);  // moved across; y stays
    EXPECT_NE(board_text(r.board).find("text: \"R1\" " + std::string(c.x) + " -1 10 45 0"),
              std::string::npos)
        << c.nm;
  }
}

// Every 2.x board among the command-line cases, converted with each hiding method: only the
// conversion's changes, and the output loads again as a 2.x board.
TEST(Write2x, EveryTestBoardChangesOnlyWhereTheConversionMay) {
  namespace fs = std::filesystem;
  int boards = 0;
  for (const auto& entry : fs::recursive_directory_iterator(SILKORA_SOURCE_DIR "/tests/cli")) {
    if (entry.path().extension() != ".krv" || entry.path().parent_path().filename() != "input")
      continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string input = bytes.str();
    // 1.x boards and the cases of faulty boards are not for this test.
    if (!find_2x_version(input) || load_failure_2x(input).code != 0) continue;
    ++boards;
    for (int method = 0; method < 3; ++method) {
      SCOPED_TRACE(entry.path().string() + " method " + std::to_string(method));
      RunFlags flags;
      flags.use_visibility = method == 1;
      flags.debug_mode = method == 2;
      expect_sound_conversion(input, convert_2x(input, flags));
    }
  }
  EXPECT_GT(boards, 3);
}

}  // namespace
