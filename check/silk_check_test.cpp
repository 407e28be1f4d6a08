#include "check/silk_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "check/test_boards.h"
#include "transform/mirror.h"
#include "transform/refdes.h"
#include "transform/text_width.h"

namespace {

constexpr double kNm = 1e-6 * kMm;

// Every corner of `a` has a corner of `b` within 1 nm, and the other way round: the same box,
// whichever corner each starts at.
::testing::AssertionResult same_box(const Shape& a, const Shape& b) {
  const auto covered = [](const Shape& x, const Shape& y) {
    for (int i = 0; i < x.n; ++i) {
      bool found = false;
      for (int j = 0; j < y.n && !found; ++j)
        found = std::hypot(x.pts[i].x - y.pts[j].x, x.pts[i].y - y.pts[j].y) <= kNm;
      if (!found) return false;
    }
    return true;
  };
  if (a.n == 4 && b.n == 4 && covered(a, b) && covered(b, a)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << a.pts[0].x << "," << a.pts[0].y << ")-(" << a.pts[2].x << "," << a.pts[2].y
         << ") vs (" << b.pts[0].x << "," << b.pts[0].y << ")-(" << b.pts[2].x << "," << b.pts[2].y
         << ")";
}

// The conversion puts each new text where the part's own reference text stood: the box made
// from the text alone is the box made from the part, its footprint transform and the reference
// text's offset and angle. This is what fixes the box convention (anchor at a corner, turned
// counter-clockwise, the same box for mirrored texts).
TEST(SilkCheck, ConvertedTextBoxIsThePartsReferenceBox) {
  std::vector<Board> boards;
  boards.push_back(example_board());
  boards.push_back(generated_board(400, 1));
  boards.push_back(generated_board(400, 2));
  int sides[2] = {0, 0}, turns[4] = {0, 0, 0, 0};
  for (Board& board : boards) {
    const std::vector<Part> before = board.parts;
    const size_t first = board.texts.size();
    RunFlags flags;
    ASSERT_EQ(convert_refdes(board, flags), static_cast<int>(before.size()));
    for (size_t i = 0; i < before.size(); ++i) {
      const Part& p = before[i];
      const BoardText& t = board.texts[first + i];
      const Shape from_text =
          text_box({t.x, t.y}, t.angle, text_width_estimate(t.text) * t.height, t.height);
      EXPECT_TRUE(same_box(from_text, part_reference_box(p)))
          << p.name << " side " << p.side << " angle " << p.angle << " text angle "
          << p.ref_text_angle;
      ++sides[p.side == 1];
      ++turns[p.angle / 90 % 4];
    }
  }
  // Both sides and all four rotations were seen.
  for (int n : sides) EXPECT_GT(n, 0);
  for (int n : turns) EXPECT_GT(n, 0);
}

struct Case {
  const char* what;
  std::function<void(Board&)> setup;
  std::vector<FindingKind> expected;
};

std::vector<Finding> findings_of(const Board& board, SilkScene& scene) {
  scene = build_scene(board);
  return find_collisions(scene);
}

TEST(SilkCheck, Collisions) {
  // "R1" is 27/22 of its height wide: 1.227 mm at 1 mm.
  const double r1 = 27.0 / 22.0;
  const Case cases[] = {
      {"texts overlapping",
       [](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10.5, 10.5)};
       },
       {FindingKind::kText}},
      {"texts just apart",
       [&](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10 + r1 + 0.001, 10)};
       },
       {}},
      {"texts touching along an edge",
       [&](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10 + r1, 10)};
       },
       {}},
      {"texts overlapping on different sides",
       [](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10.5, 10.5, kBottomSilk)};
       },
       {}},
      {"text on a surface pad of its side",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20)};
         b.texts = {text_at("R1", 19.8, 19.8)};
       },
       {FindingKind::kPad}},
      {"text on a surface pad of the other side",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20, 1)};
         b.texts = {text_at("R1", 19.8, 19.8)};
       },
       {}},
      {"bottom text on a bottom part's surface pad",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20, 1)};
         b.texts = {text_at("R1", 19.8, 19.8, kBottomSilk)};
       },
       {FindingKind::kPad}},
      {"text beside a pad",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20)};
         b.texts = {text_at("R1", 20.6, 19.5)};
       },
       {}},
      {"top text on a through-hole pad",
       [](Board& b) {
         b.parts = {part_at("J1", 1, 30, 30)};
         b.texts = {text_at("R1", 30.5, 29.5)};
       },
       {FindingKind::kPad}},
      {"bottom text on the hole of a through-hole pin placed on top",
       [](Board& b) {
         b.parts = {part_at("J1", 1, 30, 30)};
         b.texts = {text_at("R1", 30.2, 29.5, kBottomSilk)};
       },
       {FindingKind::kPad}},
      {"bottom text near the hole, on the top pad's ring only",
       [](Board& b) {
         b.parts = {part_at("J1", 1, 30, 30)};
         b.texts = {text_at("R1", 30.5, 29.5, kBottomSilk)};
       },
       {}},
      {"text crossing the board edge",
       [](Board& b) { b.texts = {text_at("R1", 49.5, 10)}; },
       {FindingKind::kEdge}},
      {"text wholly off the board",
       [](Board& b) { b.texts = {text_at("R1", 60, 10)}; },
       {FindingKind::kEdge}},
      {"text across a concave outline's notch, corners all on the board",
       [](Board& b) {
         const double m = kMm;
         b.board_outlines[0].corners = {
             {0, 0, 0},           {50 * m, 0, 0},      {50 * m, 50 * m, 0}, {30 * m, 50 * m, 0},
             {30 * m, 20 * m, 0}, {20 * m, 20 * m, 0}, {20 * m, 50 * m, 0}, {0, 50 * m, 0}};
         b.texts = {text_at("WWWWWWWWW", 18, 30, kTopSilk, 2)};
       },
       {FindingKind::kEdge}},
      {"text inside the notch, off the board",
       [](Board& b) {
         const double m = kMm;
         b.board_outlines[0].corners = {
             {0, 0, 0},           {50 * m, 0, 0},      {50 * m, 50 * m, 0}, {30 * m, 50 * m, 0},
             {30 * m, 20 * m, 0}, {20 * m, 20 * m, 0}, {20 * m, 50 * m, 0}, {0, 50 * m, 0}};
         b.texts = {text_at("R1", 23, 30)};
       },
       {FindingKind::kEdge}},
      {"text in the square corner that a rounded outline corner cuts off",
       [](Board& b) {
         const double m = kMm;
         // The corner at the top right is a quarter circle of 10 mm, counter-clockwise.
         b.board_outlines[0].corners = {
             {0, 0, 0}, {50 * m, 0, 0}, {50 * m, 40 * m, 2}, {40 * m, 50 * m, 0}, {0, 50 * m, 0}};
         b.texts = {text_at("R1", 48, 48)};
       },
       {FindingKind::kEdge}},
      {"text inside a rounded outline corner",
       [](Board& b) {
         const double m = kMm;
         b.board_outlines[0].corners = {
             {0, 0, 0}, {50 * m, 0, 0}, {50 * m, 40 * m, 2}, {40 * m, 50 * m, 0}, {0, 50 * m, 0}};
         b.texts = {text_at("R1", 45, 45)};
       },
       {}},
      {"zero-height text on another text",
       [](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10.5, 10.5, kTopSilk, 0)};
       },
       {}},
      {"text on a layer that is not silkscreen",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20)};
         b.texts = {text_at("R1", 19.8, 19.8, 12)};
       },
       {}},
      {"a part's own reference text still shown, on its pad",
       [](Board& b) {
         Part p = part_at("U1", 0, 20, 20);
         p.ref_text_height = 1 * kMm;
         p.ref_text_x = -0.2 * kMm;
         b.parts = {p};
       },
       {FindingKind::kPad}},
      {"a part's own reference text hidden by its visibility value",
       [](Board& b) {
         Part p = part_at("U1", 0, 20, 20);
         p.ref_text_height = 1 * kMm;
         p.ref_text_visible = 0;
         b.parts = {p};
       },
       {}},
  };
  for (const Case& c : cases) {
    Board board = check_board();
    c.setup(board);
    SilkScene scene;
    const std::vector<Finding> found = findings_of(board, scene);
    std::vector<FindingKind> kinds;
    for (const Finding& f : found) {
      kinds.push_back(f.kind);
      // The point named lies in the text's box (the overlap is part of it).
      const Aabb box = bounds(scene.texts[static_cast<size_t>(f.text)].box);
      EXPECT_TRUE(f.point.x >= box.min_x - kNm && f.point.x <= box.max_x + kNm &&
                  f.point.y >= box.min_y - kNm && f.point.y <= box.max_y + kNm)
          << c.what;
    }
    EXPECT_EQ(kinds, c.expected) << c.what;
  }
}

// The point of a pad overlap lies in the shared part: in the text's box and on the pad.
TEST(SilkCheck, OverlapPointIsOnBoth) {
  Board board = check_board();
  board.parts = {part_at("U1", 0, 20, 20)};  // pad from 19.5 to 20.5 both ways
  board.texts = {text_at("R1", 20.2, 20.3)};
  SilkScene scene;
  const std::vector<Finding> found = findings_of(board, scene);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_GT(found[0].point.x, 20.2 * kMm);
  EXPECT_LT(found[0].point.x, 20.5 * kMm);
  EXPECT_GT(found[0].point.y, 20.3 * kMm);
  EXPECT_LT(found[0].point.y, 20.5 * kMm);
}

// Pad shapes against a small probe text placed just off each shape's edge and just on it.
TEST(SilkCheck, PadShapes) {
  struct PadCase {
    const char* what;
    PadSpec pad;
    double reach_mm;  // how far the copper reaches along +x from the pin
  };
  const PadCase cases[] = {
      {"round", {1, 2 * kMm, 0, 0, 0, 0}, 1},
      {"square", {2, 2 * kMm, 0, 0, 0, 0}, 1},
      {"rectangle", {3, 1 * kMm, 1.5 * kMm, 0.5 * kMm, 0, 0}, 1.5},
      {"rounded rectangle", {4, 1 * kMm, 1.5 * kMm, 0.5 * kMm, 0.3 * kMm, 0}, 1.5},
      {"oval", {5, 1 * kMm, 1.5 * kMm, 0.5 * kMm, 0, 0}, 1.5},
      {"octagon", {6, 2 * kMm, 0, 0, 0, 0}, 1},
  };
  for (const PadCase& c : cases) {
    for (const double gap : {-0.05, 0.05}) {
      Board board = check_board();
      board.footprints[0].pins[0].top_pad = c.pad;
      board.parts = {part_at("U1", 0, 20, 20)};
      // "R1" of 0.2 mm height, its box starting `gap` beyond the pad's reach, centred on it.
      board.texts = {text_at("R1", 20 + c.reach_mm + gap, 19.9, kTopSilk, 0.2)};
      SilkScene scene;
      EXPECT_EQ(findings_of(board, scene).size(), gap < 0 ? 1u : 0u) << c.what << " " << gap;
    }
  }
}

// Values no board holds: each is passed over (and counted) or becomes a finding; the check and
// the picture end, and the picture stays small.
TEST(SilkCheck, HostileValues) {
  const double nan = std::nan("");
  const struct {
    const char* what;
    std::function<void(Board&)> setup;
    int passed_over;
  } cases[] = {
      {"NaN text position", [&](Board& b) { b.texts = {text_at("R1", nan, 10)}; }, 1},
      {"huge text position", [](Board& b) { b.texts = {text_at("R1", 1e300, 10)}; }, 1},
      {"infinite height", [](Board& b) { b.texts = {text_at("R1", 1, 1, kTopSilk, INFINITY)}; }, 1},
      {"negative height", [](Board& b) { b.texts = {text_at("R1", 1, 1, kTopSilk, -1)}; }, 1},
      {"angle beyond 360",
       [](Board& b) {
         b.texts = {text_at("R1", 10, 10), text_at("R2", 10.5, 10)};
         b.texts[1].angle = 4000000000u;
       },
       0},
      {"text of 10000 characters",
       [](Board& b) {
         b.parts = {part_at("U1", 0, 20, 20)};
         b.texts = {text_at("R1", 10, 10)};
         b.texts[0].text.assign(10000, 'W');
       },
       0},
      {"NaN part position", [&](Board& b) { b.parts = {part_at("U1", 0, nan, 20)}; }, 1},
      {"huge pad",
       [](Board& b) {
         b.footprints[0].pins[0].top_pad.width = 1e308;
         b.parts = {part_at("U1", 0, 20, 20)};
       },
       1},
      {"outline of one corner",
       [](Board& b) {
         b.board_outlines[0].corners.resize(1);
         b.texts = {text_at("R1", 10, 10)};
       },
       0},
      {"no outline",
       [](Board& b) {
         b.board_outlines.clear();
         b.texts = {text_at("R1", 10, 10)};
       },
       0},
      {"NaN outline corner",
       [&](Board& b) {
         b.board_outlines[0].corners[1].x = nan;
         b.texts = {text_at("R1", 10, 10)};
       },
       0},
      {"outline far away",
       [](Board& b) {
         b.board_outlines[0].corners[2].x = 1e200;
         b.texts = {text_at("R1", 10, 10)};
       },
       1},
  };
  for (const auto& c : cases) {
    Board board = check_board();
    c.setup(board);
    SilkScene scene;
    const std::vector<Finding> found = findings_of(board, scene);
    EXPECT_EQ(scene.passed_over, c.passed_over) << c.what;
    const std::string picture = check_picture(board, scene, found, {}, "t.krv");
    EXPECT_LT(picture.size(), 200000u) << c.what;
    EXPECT_EQ(picture.find("nan"), std::string::npos) << c.what;
    EXPECT_EQ(picture.find("inf"), std::string::npos) << c.what;
    // No number printed as "?": only the XML declaration's two.
    EXPECT_EQ(std::count(picture.begin(), picture.end(), '?'), 2) << c.what;
  }
}

TEST(SilkCheck, NumbersAreFixedAndWithoutNegativeZero) {
  EXPECT_EQ(format_fixed(2.675, 2), "2.67");  // 2.675 is 2.67499... in binary
  EXPECT_EQ(format_fixed(-0.001, 2), "0.00");
  EXPECT_EQ(format_fixed(-0.006, 2), "-0.01");
  EXPECT_EQ(format_fixed(1e6, 1), "1000000.0");
  EXPECT_EQ(format_mm({1, -0.5}), "25.40, -12.70 mm");
}

}  // namespace
