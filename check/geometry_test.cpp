#include "check/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "check/silk_check.h"
#include "check/test_boards.h"

namespace {

constexpr double kUm = 1e-3 * kMm;
constexpr double kDegree = 3.14159265358979323846 / 180;

// An outline of three corners whose first side is the quarter ellipse from (rx, 0) to (0, ry)
// about the origin (counter-clockwise, style 2), or the other way round (clockwise, style 1).
BoardOutline quarter(double rx, double ry, bool ccw) {
  BoardOutline outline;
  if (ccw) {
    outline.corners = {{rx, 0, 2}, {0, ry, 0}, {0, 0, 0}};
  } else {
    outline.corners = {{0, ry, 1}, {rx, 0, 0}, {0, 0, 0}};
  }
  return outline;
}

// Each chord of the arc stays within 1 µm of the stretch of the true arc it stands for, along
// its whole length, at every size a board holds; and each end of a chord lies on the arc.
TEST(OutlineArcs, ChordsStayWithinAMicrometreOfTheArc) {
  const struct {
    double rx_mm, ry_mm;
  } arcs[] = {{0.05, 0.05}, {2.54, 2.54}, {50, 50}, {50, 5}, {3, 400}, {1000, 1000}, {3300, 3300}};
  for (const auto& a : arcs) {
    for (const bool ccw : {true, false}) {
      const double rx = a.rx_mm * kMm, ry = a.ry_mm * kMm;
      const std::vector<Vec> poly = outline_polygon(quarter(rx, ry, ccw));
      ASSERT_GE(poly.size(), 3u);
      // The arc's points: every point but the last, the third corner.
      const size_t arc_points = poly.size() - 1;
      const auto angle = [&](Vec p) { return std::atan2(p.y / ry, p.x / rx); };
      double worst = 0;
      for (size_t k = 0; k + 1 < arc_points; ++k) {
        const Vec p = poly[k], q = poly[k + 1];
        const double t0 = angle(p), t1 = angle(q);
        for (int s = 0; s <= 16; ++s) {
          const double f = s / 16.0, t = t0 + (t1 - t0) * f;
          const Vec on_chord{p.x + (q.x - p.x) * f, p.y + (q.y - p.y) * f};
          worst = std::max(
              worst, std::hypot(on_chord.x - rx * std::cos(t), on_chord.y - ry * std::sin(t)));
        }
      }
      EXPECT_LE(worst, 1 * kUm) << a.rx_mm << " x " << a.ry_mm << " mm, ccw " << ccw;
      // Not drawn finer than needed either: a 50 mm circle needs about 125 chords.
      if (a.rx_mm == 50 && a.ry_mm == 50) {
        EXPECT_LT(arc_points, 200u);
      }
    }
  }
}

// Radii and numbers of arcs that no board holds stay within a bounded number of points.
TEST(OutlineArcs, PointCountsAreBounded) {
  // One arc of a radius of 20 m: at most 1024 chords.
  EXPECT_LE(outline_polygon(quarter(20000 * kMm, 20000 * kMm, true)).size(), 1024u + 2);
  // 100 000 arcs of 1 m each: the corners and at most 65536 arc points among them.
  BoardOutline zigzag;
  for (int i = 0; i < 100000; ++i) {
    const double x = i * 1000 * kMm;
    zigzag.corners.push_back({x, i % 2 ? 1000 * kMm : 0, static_cast<uint32_t>(1 + i % 2)});
  }
  const std::vector<Vec> poly = outline_polygon(zigzag);
  EXPECT_GE(poly.size(), zigzag.corners.size());
  EXPECT_LE(poly.size(), zigzag.corners.size() + 65536);
}

// A text close to a large board arc, in the places where 16 chords per quarter were furthest
// from it: 30 µm inside a convex arc is on the board, 30 µm beyond it is not; a text reaching
// 30 µm into a concave arc is off the board, one stopping 30 µm short of it is on it.
TEST(OutlineArcs, TextNearALargeArcIsCheckedAgainstTheTrueArc) {
  const double r = 50, h = 1, w = 27.0 / 22.0;  // "R1" at 1 mm
  const struct {
    const char* what;
    bool concave;
    double depth_mm;  // how far the text's nearest corner reaches beyond the arc
    bool off_board;
  } cases[] = {
      {"30 um inside a convex arc", false, -0.03, false},
      {"30 um beyond a convex arc", false, 0.03, true},
      {"30 um into a concave arc", true, 0.03, true},
      {"30 um short of a concave arc", true, -0.03, false},
  };
  // Degrees along the arc from its first corner: the middles of the first and the eighth of the
  // 16 chords it used to be drawn in, and a place between.
  const double angles[] = {45.0 / 16, 15 * 45.0 / 16, 80};
  for (const auto& c : cases) {
    for (const double a : angles) {
      Board board = check_board(100);
      Vec corner;
      if (c.concave) {
        // A notch of radius r about the board's top right corner; the text's top right corner
        // reaches towards it from below and left.
        board.board_outlines[0].corners = {{0, 0, 0},
                                           {100 * kMm, 0, 0},
                                           {100 * kMm, (100 - r) * kMm, 1},
                                           {(100 - r) * kMm, 100 * kMm, 0},
                                           {0, 100 * kMm, 0}};
        const double d = r - c.depth_mm, t = (270 - a) * kDegree;
        corner = {100 + d * std::cos(t), 100 + d * std::sin(t)};
      } else {
        // The top right corner rounded with radius r about (50, 50).
        board.board_outlines[0].corners = {{0, 0, 0},
                                           {100 * kMm, 0, 0},
                                           {100 * kMm, (100 - r) * kMm, 2},
                                           {(100 - r) * kMm, 100 * kMm, 0},
                                           {0, 100 * kMm, 0}};
        const double d = r + c.depth_mm, t = a * kDegree;
        corner = {50 + d * std::cos(t), 50 + d * std::sin(t)};
      }
      board.texts = {text_at("R1", corner.x - w, corner.y - h, kTopSilk, h)};
      const SilkScene scene = build_scene(board);
      const std::vector<Finding> found = find_collisions(scene);
      EXPECT_EQ(found.size(), c.off_board ? 1u : 0u) << c.what << " at " << a << " degrees";
      for (const Finding& f : found) EXPECT_EQ(f.kind, FindingKind::kEdge) << c.what;
    }
  }
}

}  // namespace
