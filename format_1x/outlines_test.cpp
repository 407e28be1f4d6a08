#include "format_1x/outlines.h"

#include <gtest/gtest.h>

#include <string>

#include "format_1x/test_support.h"

namespace {

// A board whose [board] and [solder_mask_cutouts] sections hold `outlines` and `cutouts`.
std::string board_of(const std::string& outlines, const std::string& cutouts = "") {
  return board_with("", "",
                    "[board]\r\n" + outlines + "[solder_mask_cutouts]\r\n" + cutouts +
                        "[parts]\r\n\r\n[nets]\r\n\r\n");
}

std::string written(const Board& board) {
  Output out;
  write_board_outlines(out, board);
  write_sm_cutouts(out, board);
  return out.text();
}

}  // namespace

TEST(Outlines, ReadAndWrittenBack) {
  const Board board =
      load_text(board_of(crlf({"", "outline: 4 7", "  corner: 1 0 0 0", "corner: 2 25400000 0 1",
                               "\tcorner: 3 25400000 -2540000 2", "corner: 4 1270 12700000.5 0", "",
                               "  outline: 2 0", "corner: 1 -5 -6 3", "corner: 2 -2540000 7 0"}),
                         crlf({"", "  sm_cutout: 2 9 21", "  corner: 1 -100 200 0",
                               "corner: 2 300 -400 1", "", "sm_cutout: 0 0 22"})));
  ASSERT_EQ(board.board_outlines.size(), 2u);
  EXPECT_DOUBLE_EQ(board.board_outlines[0].corners[2].y, -0.1);
  EXPECT_EQ(board.board_outlines[0].corners[1].style, 1u);
  // The outline's index after the count is regenerated from the table position.
  EXPECT_EQ(written(board), crlf({"",
                                  "[board]",
                                  "",
                                  "outline: 4 0",
                                  "  corner: 1 0 0 0",
                                  "  corner: 2 25400000 0 1",
                                  "  corner: 3 25400000 -2540000 2",
                                  "  corner: 4 1270 12700000.5 0",
                                  "",
                                  "outline: 2 1",
                                  "  corner: 1 -5 -6 3",
                                  "  corner: 2 -2540000 7 0",
                                  "",
                                  "[solder_mask_cutouts]",
                                  "",
                                  "sm_cutout: 2 9 21",
                                  "  corner: 1 -100 200 0",
                                  "  corner: 2 300 -400 1",
                                  "",
                                  "sm_cutout: 0 0 22"}));
}

TEST(Outlines, EmptySectionsWriteTheirHeadersOnly) {
  const Board board = load_text(board_of("", ""));
  EXPECT_TRUE(board.board_outlines.empty());
  EXPECT_TRUE(board.sm_cutouts.empty());
  EXPECT_EQ(written(board), "\r\n[board]\r\n\r\n[solder_mask_cutouts]\r\n");
}

TEST(Outlines, ExtentsComeFromTheCornersOfOutlineOne) {
  const Board board = load_text(board_of(
      crlf({"outline: 3 0", "corner: 1 -25400000 0 0", "corner: 2 50800000 12700000 0",
            "corner: 3 0 -2540000 0", "outline: 1 1", "corner: 1 254000000 254000000 0"})));
  EXPECT_DOUBLE_EQ(board.min_x, -1.0);
  EXPECT_DOUBLE_EQ(board.max_x, 2.0);
  EXPECT_DOUBLE_EQ(board.min_y, -0.1);
  EXPECT_DOUBLE_EQ(board.max_y, 0.5);
}

TEST(Outlines, ShortCornerListsAreFilledWithZeroCorners) {
  // Four corners declared, three given: the fourth stays at (0, 0) and is written back. The
  // line that ends the list is consumed with it.
  const Board board =
      load_text(board_of(crlf({"outline: 4 0", "corner: 1 -100 -100 1", "corner: 2 100 -100 0",
                               "corner: 3 100 100 2", "not a corner"}),
                         crlf({"sm_cutout: 3 1 20", "corner: 1 5 6 0", ""})));
  ASSERT_EQ(board.board_outlines[0].corners.size(), 4u);
  ASSERT_EQ(board.sm_cutouts[0].corners.size(), 3u);
  EXPECT_EQ(
      written(board),
      crlf({"", "[board]", "", "outline: 4 0", "  corner: 1 -100 -100 1", "  corner: 2 100 -100 0",
            "  corner: 3 100 100 2", "  corner: 4 0 0 0", "", "[solder_mask_cutouts]", "",
            "sm_cutout: 3 1 20", "  corner: 1 5 6 0", "  corner: 2 0 0 0", "  corner: 3 0 0 0"}));
}

TEST(Outlines, ShortListOfOutlineOneOutsideItsCornersFailsTheOutlineCheck) {
  const std::string text = board_of(crlf(
      {"outline: 4 0", "corner: 1 100 100 0", "corner: 2 200 100 0", "corner: 3 200 200 0", ""}));
  std::string message, location;
  EXPECT_EQ(load_error(text, &message, &location), 11693);
  EXPECT_EQ(message, "signal outline exceeds board outline");
  // A check over the whole board points at no line.
  EXPECT_EQ(location, "");
  // Only outline 1 is checked: the same short list as the second outline loads.
  EXPECT_EQ(load_error(board_of(
                crlf({"outline: 1 0", "corner: 1 1 1 0", "outline: 4 1", "corner: 1 100 100 0",
                      "corner: 2 200 100 0", "corner: 3 200 200 0", ""}))),
            0);
  // An outline 1 without any corner record has no extent at all, so even (0, 0) lies outside.
  EXPECT_EQ(load_error(board_of(crlf({"outline: 1 0", ""}))), 11693);
}

TEST(Outlines, DeclaredCountBeyondTheFileIsAnEndOfFile) {
  // A list that ends early keeps its declared count only when the file could have held that
  // many lines; a larger count runs past the end of the file.
  const auto outline_text = [](uint32_t declared) {
    return board_of(crlf({("outline: " + std::to_string(declared) + " 0").c_str(),
                          "corner: 1 0 0 0", "corner: 2 1 1 0", "end"}));
  };
  const auto cutout_text = [](uint32_t declared) {
    return board_of("", crlf({("sm_cutout: " + std::to_string(declared) + " 0 20").c_str(),
                              "corner: 1 0 0 0", "end"}));
  };
  const uint32_t outline_lines = static_cast<uint32_t>(LineReader(outline_text(0)).total_lines());
  const uint32_t cutout_lines = static_cast<uint32_t>(LineReader(cutout_text(0)).total_lines());

  EXPECT_EQ(load_text(outline_text(outline_lines)).board_outlines[0].corners.size(), outline_lines);
  EXPECT_EQ(load_text(cutout_text(cutout_lines)).sm_cutouts[0].corners.size(), cutout_lines);
  const struct {
    std::string text;
    int code;
  } cases[] = {
      {outline_text(outline_lines + 1), 11683},
      {outline_text(4000000000u), 11683},
      {cutout_text(cutout_lines + 1), 11833},
      {cutout_text(4000000000u), 11833},
  };
  for (const auto& c : cases) EXPECT_EQ(load_error(c.text), c.code);
}

TEST(Outlines, FatalErrors) {
  const std::string no_board =
      "[options]\r\n[footprints]\r\n[solder_mask_cutouts]\r\n[parts]\r\n"
      "[nets]\r\n[texts]\r\n[end]\r\n";
  const std::string no_cutouts =
      "[options]\r\n[footprints]\r\n[board]\r\n[parts]\r\n"
      "[nets]\r\n[texts]\r\n[end]\r\n";
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {no_board, 11580, "premature EOF looking for KRV board outlines"},
      {"[options]\r\n[footprints]\r\n[board]\r\noutline: 0 0\r\n", 11606,
       "premature EOF in board outlines Pass 1"},
      // Counted in pass 1 because "outline:" stands in the line, but not found by pass 2.
      {board_of(crlf({"old outline: 1 0"})), 11636, "premature EOF in outlines Pass 2"},
      // The line ending outline 1's short list is outline 2's record: pass 2 runs out.
      {board_of(crlf({"outline: 2 0", "corner: 1 0 0 0", "outline: 1 1", "corner: 1 0 0 0"})),
       11636, "premature EOF in outlines Pass 2"},
      {board_of(crlf({"outline: x"})), 11643, "bad board outline: record"},
      {board_of(crlf({"outline:"})), 11643, "bad board outline: record"},
      {board_of(crlf({"outline: 1 0", "corner: 1 5 5"})), 11669,
       "bad board outline corner: record"},
      // Pass 2 looks for outline records past the section's end too; there a corner list can
      // run into the end of the file.
      {"[options]\r\n[footprints]\r\n[board]\r\nold outline: 0\r\n[end]\r\noutline: 2 0\r\n"
       "corner: 1 0 0 0\r\n",
       11683, "premature EOF in outline corners"},
      {no_cutouts, 11734, "premature EOF looking for KRV sm cutouts"},
      {"[options]\r\n[footprints]\r\n[board]\r\n[solder_mask_cutouts]\r\nsm_cutout: 0 0 0\r\n",
       11760, "premature EOF in sm cutouts Pass 1"},
      {board_of("", crlf({"sm_cutout: 2 0 20", "corner: 1 0 0 0", "sm_cutout: 0 0 20"})), 11792,
       "premature EOF in SM cutouts Pass 2"},
      {board_of("", crlf({"sm_cutout: 1 0"})), 11799, "bad sm_cutout: record"},
      {board_of("", crlf({"sm_cutout: 1 0 20", "corner: 1 5"})), 11825,
       "bad SM cutout corner: record"},
      {"[options]\r\n[footprints]\r\n[board]\r\n[solder_mask_cutouts]\r\nsm_cutout: 1 0 20\r\n"
       "sm_cutout: 0 0 20\r\n[end]\r\nsm_cutout: 2 0 20\r\ncorner: 1 0 0 0\r\n",
       11833, "premature EOF in SM cutout corners"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message, location;
    EXPECT_EQ(load_error(c.text, &message, &location), c.code);
    EXPECT_EQ(message, c.message);
    // Loading errors say where they happened.
    EXPECT_EQ(location.rfind("  at line ", 0), 0u) << location;
  }
}
