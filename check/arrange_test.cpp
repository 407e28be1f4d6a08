#include "check/arrange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "check/test_boards.h"
#include "transform/mirror.h"
#include "transform/refdes.h"
#include "transform/text_width.h"

namespace {

struct Arranged {
  ArrangeResult result;
  SilkScene scene;
  std::vector<Finding> after;  // the check of the arranged board
  std::vector<BoardText> texts_before;
};

// Converts the board's parts, arranges the new designators and checks the result.
Arranged convert_and_arrange(Board& board) {
  Arranged a;
  RunFlags flags;
  convert_refdes(board, flags);
  a.texts_before = board.texts;
  a.scene = build_scene(board);
  a.result = arrange_designators(board, a.scene);
  // The check sees the board as it will be written, built afresh from the board.
  SilkScene fresh = build_scene(board);
  a.after = find_collisions(fresh);
  a.scene = std::move(fresh);
  return a;
}

// Only the position of a moved designator changes; every other text is untouched.
void expect_only_positions_changed(const Board& board, const Arranged& a) {
  ASSERT_EQ(board.texts.size(), a.texts_before.size());
  for (size_t i = 0; i < board.texts.size(); ++i) {
    const BoardText &t = board.texts[i], &b = a.texts_before[i];
    EXPECT_EQ(t.text, b.text);
    EXPECT_EQ(t.layer, b.layer);
    EXPECT_EQ(t.angle, b.angle);
    EXPECT_EQ(t.mirror, b.mirror);
    EXPECT_EQ(t.height, b.height);
    EXPECT_EQ(t.stroke_width, b.stroke_width);
  }
}

// A part with its reference text right on its own pad.
Part on_own_pad(const char* name, double x, double y, uint32_t side = 0) {
  Part p = part_at(name, 0, x, y, side);
  p.ref_text_height = 1 * kMm;
  p.ref_text_stroke_width = 0.1 * kMm;
  p.ref_text_x = -0.3 * kMm;
  p.ref_text_y = -0.3 * kMm;
  return p;
}

TEST(Arrange, DesignatorOnItsOwnPadMovesOffAndIsFree) {
  Board board = check_board();
  board.parts = {on_own_pad("R1", 20, 20)};
  const Arranged a = convert_and_arrange(board);
  ASSERT_EQ(a.result.moved.size(), 1u);
  EXPECT_TRUE(a.result.left.empty());
  EXPECT_TRUE(a.after.empty());
  expect_only_positions_changed(board, a);
  // The first candidate: centred above the pad (top at 20.5 mm), at the clearance of 0.1 mm.
  const Aabb box = bounds(a.scene.texts[0].box);
  // Within half a nanometre: the place is rounded to the whole nanometres the file holds.
  const double half_nm = kMm / 2e6;
  EXPECT_NEAR(box.min_y, 20.6 * kMm, half_nm);
  EXPECT_NEAR((box.min_x + box.max_x) / 2, 20 * kMm, half_nm);
  EXPECT_NE(a.result.report.find("    R1 moved from 19.70, 19.70 mm to "), std::string::npos)
      << a.result.report;
  EXPECT_NE(a.result.report.find("(was on pad R1.1)"), std::string::npos) << a.result.report;
  EXPECT_NE(a.result.report.find("    Arrange: 1 moved, 0 left in place\n"), std::string::npos);
}

// The first one moves; the second is then clear where it stands and stays.
TEST(Arrange, TwoDesignatorsOnTopOfEachOtherBothEndFree) {
  Board board = check_board();
  // Both reference texts land at (30, 30), away from their pads.
  Part a = part_at("R1", 0, 26, 30), b = part_at("R2", 0, 34, 30);
  for (Part* p : {&a, &b}) {
    p->ref_text_height = 1 * kMm;
    p->ref_text_x = 30 * kMm - p->pos_x;
  }
  board.parts = {a, b};
  const Arranged r = convert_and_arrange(board);
  ASSERT_EQ(r.result.moved.size(), 1u);
  EXPECT_TRUE(r.result.left.empty());
  EXPECT_TRUE(r.after.empty());
  EXPECT_EQ(board.texts[1].x, r.texts_before[1].x);
  EXPECT_EQ(board.texts[1].y, r.texts_before[1].y);
  expect_only_positions_changed(board, r);
}

// Parts that were never placed get no designator, wherever they stand in the part list and on
// whichever side: every designator still belongs to its own part, moves next to that part's
// body and is reported with its own pad.
TEST(Arrange, UnplacedPartsAnywhereLeaveEveryDesignatorWithItsPart) {
  const struct {
    const char* what;
    const char* layout;  // a letter per part: t placed on top, b on the bottom, u never placed
  } cases[] = {
      {"unplaced first", "utb"},        {"unplaced in the middle", "tub"},
      {"unplaced last", "tbu"},         {"several in a row", "tuuubt"},
      {"between every part", "ubutbu"}, {"bottom parts only", "ubbu"},
  };
  for (const auto& c : cases) {
    for (const bool mirror : {false, true}) {
      const std::string what = std::string(c.what) + (mirror ? " (-M)" : "");
      Board board = check_board();
      int placed = 0;
      for (int k = 0; c.layout[k]; ++k) {
        const std::string name = (c.layout[k] == 'u' ? "X" : "R") + std::to_string(k);
        if (c.layout[k] == 'u') {
          Part p;
          p.name = name;
          p.empty_ref_text = p.empty_shape = true;
          board.parts.push_back(p);
          continue;
        }
        board.parts.push_back(on_own_pad(name.c_str(), 8 + 6 * k, 25, c.layout[k] == 'b'));
        ++placed;
      }
      if (mirror) mirror_board(board);
      const Arranged r = convert_and_arrange(board);
      EXPECT_EQ(r.result.moved.size(), static_cast<size_t>(placed)) << what;
      EXPECT_TRUE(r.result.left.empty()) << what;
      EXPECT_TRUE(r.after.empty()) << what;
      const std::vector<Aabb> bodies = part_bodies(board, r.scene);
      const double clearance = arrange_clearance(board);
      for (const MovedText& m : r.result.moved) {
        const SilkText& t = r.scene.texts[static_cast<size_t>(m.text)];
        // Its own part, found by name: the one whose designator it shows.
        const auto own = std::find_if(board.parts.begin(), board.parts.end(),
                                      [&](const Part& p) { return p.name == *t.text; });
        ASSERT_NE(own, board.parts.end()) << what;
        const Aabb b = bodies[static_cast<size_t>(own - board.parts.begin())], box = bounds(t.box);
        const double gap_x = std::max(box.min_x - b.max_x, b.min_x - box.max_x);
        const double gap_y = std::max(box.min_y - b.max_y, b.min_y - box.max_y);
        EXPECT_LE(std::max(gap_x, gap_y), clearance + 3 * t.height) << what << ": " << *t.text;
        EXPECT_NE(r.result.report.find("    " + *t.text + " moved from "), std::string::npos)
            << what;
        EXPECT_NE(r.result.report.find("(was on pad " + *t.text + ".1)"), std::string::npos)
            << what << ": " << r.result.report;
      }
    }
  }
}

TEST(Arrange, PartAtTheEdgeIsPlacedInward) {
  Board board = check_board();
  // The text runs off the right edge at 50 mm; above and below are free, inside.
  Part p = part_at("R1", 0, 49, 25);
  p.ref_text_height = 1 * kMm;
  p.ref_text_x = 0.6 * kMm;
  board.parts = {p};
  const Arranged r = convert_and_arrange(board);
  ASSERT_EQ(r.result.moved.size(), 1u);
  EXPECT_TRUE(r.after.empty());
  EXPECT_LT(bounds(r.scene.texts[0].box).max_x, 50 * kMm);
}

TEST(Arrange, NoFreePlaceIsReportedAndLeft) {
  // A board of 3 mm: the pad fills its middle and no candidate fits inside.
  Board board = check_board(3);
  board.parts = {on_own_pad("R1", 1.5, 1.5)};
  const Arranged r = convert_and_arrange(board);
  EXPECT_TRUE(r.result.moved.empty());
  ASSERT_EQ(r.result.left.size(), 1u);
  EXPECT_EQ(board.texts[0].x, r.texts_before[0].x);
  EXPECT_EQ(board.texts[0].y, r.texts_before[0].y);
  EXPECT_EQ(r.result.report,
            "    R1 left in place at 1.20, 1.20 mm, no free place (on pad R1.1)\n"
            "    Arrange: 0 moved, 1 left in place\n\n");
  // The check still finds it, and nothing else.
  ASSERT_FALSE(r.after.empty());
  for (const Finding& f : r.after) EXPECT_EQ(f.text, 0);
}

// A designator left in place is reported with what it still collides with once its neighbours
// have moved, not with what went away with them.
TEST(Arrange, LeftInPlaceNamesWhatItStillCollidesWith) {
  Board board = check_board();
  // R1's designator is too big for any free place: it sits on its pad, runs off the board and
  // covers R2's designator, which has room beside its own part.
  Part big = on_own_pad("R1", 25, 25);
  big.ref_text_height = 30 * kMm;
  Part small = part_at("R2", 0, 20, 20);
  small.ref_text_height = 1 * kMm;
  small.ref_text_x = small.ref_text_y = 5 * kMm;
  board.parts = {small, big};
  const Arranged r = convert_and_arrange(board);
  EXPECT_EQ(r.result.moved.size(), 1u);
  EXPECT_EQ(r.result.left.size(), 1u);
  EXPECT_NE(r.result.report.find("    R2 moved from 25.00, 25.00 mm to "), std::string::npos)
      << r.result.report;
  EXPECT_NE(r.result.report.find("(was on pad R1.1, on R1)\n"), std::string::npos)
      << r.result.report;
  EXPECT_NE(r.result.report.find("    R1 left in place at 24.70, 24.70 mm, no free place (on pad "
                                 "R1.1, off the board)\n"),
            std::string::npos)
      << r.result.report;
}

TEST(Arrange, BottomDesignator) {
  Board board = check_board();
  board.parts = {on_own_pad("R1", 20, 20, 1)};
  const Arranged r = convert_and_arrange(board);
  ASSERT_EQ(r.result.moved.size(), 1u);
  EXPECT_TRUE(r.after.empty());
  EXPECT_EQ(board.texts[0].layer, kBottomSilk);
  EXPECT_EQ(board.texts[0].mirror, 1u);
  expect_only_positions_changed(board, r);
}

TEST(Arrange, NoOutlineLeavesEveryDesignator) {
  Board board = check_board();
  board.board_outlines.clear();
  board.parts = {on_own_pad("R1", 20, 20)};
  const Arranged r = convert_and_arrange(board);
  EXPECT_TRUE(r.result.moved.empty());
  EXPECT_EQ(r.result.left.size(), 1u);
}

// Values no board holds end in designators moved or left with their report lines; nothing
// hangs or crashes, and no designator is counted twice.
TEST(Arrange, HostileValues) {
  const double nan = std::nan("");
  const struct {
    const char* what;
    std::function<void(Board&)> setup;
  } cases[] = {
      {"NaN part position", [&](Board& b) { b.parts[0].pos_x = nan; }},
      {"huge part position", [](Board& b) { b.parts[0].pos_y = 1e300; }},
      {"huge reference text", [](Board& b) { b.parts[0].ref_text_height = 1e6; }},
      {"angle beyond 360", [](Board& b) { b.parts[0].angle = 4000000000u; }},
      {"NaN mask clearance", [&](Board& b) { b.options.mask_clearance = nan; }},
      {"huge mask clearance", [](Board& b) { b.options.mask_clearance = 1e300; }},
      {"outline of one corner", [](Board& b) { b.board_outlines[0].corners.resize(1); }},
      {"designator of 10000 characters", [](Board& b) { b.parts[0].name.assign(10000, 'W'); }},
  };
  for (const auto& c : cases) {
    Board board = check_board();
    board.parts = {on_own_pad("R1", 20, 20), on_own_pad("R2", 20.5, 20)};
    c.setup(board);
    const Arranged r = convert_and_arrange(board);
    const size_t lines =
        static_cast<size_t>(std::count(r.result.report.begin(), r.result.report.end(), '\n'));
    // One line per designator moved or left, the summary and the empty line after it.
    EXPECT_EQ(lines, r.result.moved.size() + r.result.left.size() + 2) << c.what;
    EXPECT_LE(r.result.moved.size() + r.result.left.size(), 2u) << c.what;
  }
}

// The example board and generated ones: after arranging, the check finds only the designators
// left in place (and texts that are not designators), never a new finding; each moved
// designator lies within the outermost candidates' reach of its body.
TEST(Arrange, ExampleAndGeneratedBoards) {
  std::vector<Board> boards;
  boards.push_back(example_board());
  for (unsigned seed : {1u, 2u, 3u}) boards.push_back(generated_board(800, seed));
  for (Board& board : boards) {
    const Arranged r = convert_and_arrange(board);
    std::vector<bool> left(r.scene.texts.size(), false);
    for (int i : r.result.left) left[static_cast<size_t>(i)] = true;
    for (const Finding& f : r.after) {
      const SilkText& t = r.scene.texts[static_cast<size_t>(f.text)];
      EXPECT_TRUE(!t.designator || left[static_cast<size_t>(f.text)]) << *t.text;
      if (f.kind == FindingKind::kText) {
        const SilkText& u = r.scene.texts[static_cast<size_t>(f.other)];
        EXPECT_TRUE(!u.designator || left[static_cast<size_t>(f.other)]) << *u.text;
      }
    }
    const std::vector<Aabb> bodies = part_bodies(board, r.scene);
    const double c = arrange_clearance(board);
    for (const MovedText& m : r.result.moved) {
      const SilkText& t = r.scene.texts[static_cast<size_t>(m.text)];
      const Aabb b = bodies[static_cast<size_t>(t.part)], box = bounds(t.box);
      const double gap_x = std::max(box.min_x - b.max_x, b.min_x - box.max_x);
      const double gap_y = std::max(box.min_y - b.max_y, b.min_y - box.max_y);
      EXPECT_LE(std::max(gap_x, gap_y), c + 3 * t.height + 1e-9) << *t.text;
    }
    EXPECT_FALSE(r.result.moved.empty());
  }
}

}  // namespace
