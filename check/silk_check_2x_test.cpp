// The check and arranging on 2.x boards: the text box of a mirrored text, the silkscreen layers
// by number, and a whole small board.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "format_2x/footprints_2x.h"
#include "check/arrange.h"
#include "check/silk_check.h"
#include "check/test_boards.h"
#include "transform/text_width.h"

namespace {

constexpr double kNmInch = 1 / 25400000.0;
constexpr double kPi = 3.14159265358979323846;

// A 2.x board of the given version: no layer names (they follow the editor's language), a
// square outline of 50 mm.
Board board_2x(double version = 2.427) {
  Board board;
  board.options.version = version;
  board.options.n_copper_layers = 2;
  const double s = 50 * kMm;
  board.board_outlines.push_back(BoardOutline{{{0, 0, 0}, {s, 0, 0}, {s, s, 0}, {0, s, 0}}});
  return board;
}

// The file's clockwise turn of (u, v) by `degrees`, exact at the right angles.
Vec turned_clockwise(double u, double v, int degrees) {
  double c, s;
  switch (degrees) {
    case 0:
      c = 1, s = 0;
      break;
    case 90:
      c = 0, s = 1;
      break;
    case 180:
      c = -1, s = 0;
      break;
    case 270:
      c = 0, s = -1;
      break;
    default:
      c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
  }
  return {u * c + v * s, -u * s + v * c};
}

int mod360(int a) {
  return ((a % 360) + 360) % 360;
}

uint32_t held(int file_angle) {
  return static_cast<uint32_t>((360 - mod360(file_angle)) % 360);
}

BoardText text_2x(const char* s, Vec anchor, int file_angle, bool mirror, bool bottom,
                  double height = 1 * kMm) {
  BoardText t;
  t.text = s;
  t.x = anchor.x;
  t.y = anchor.y;
  t.angle = held(file_angle);
  t.mirror = mirror ? 1 : 0;
  t.layer = bottom ? 11 : 10;
  t.height = height;
  t.stroke_width = 0.1 * kMm;
  return t;
}

// Corner by corner, within 1 nm.
::testing::AssertionResult same_corners(const Shape& a, const Vec (&b)[4]) {
  for (int i = 0; i < 4; ++i) {
    if (std::hypot(a.pts[i].x - b[i].x, a.pts[i].y - b[i].y) > 1e-6 * kMm) {
      return ::testing::AssertionFailure()
             << "corner " << i << " (" << a.pts[i].x / kMm << ", " << a.pts[i].y / kMm
             << ") mm, expected (" << b[i].x / kMm << ", " << b[i].y / kMm << ") mm";
    }
  }
  return ::testing::AssertionSuccess();
}

// The box of one text on a 2.x board and on a 1.x board. In 2.x the anchor is the start of the
// baseline, and a mirrored text runs back from it (toward -x before turning); in 1.x every text
// runs forward from its anchor, its glyphs mirrored inside. `runs` is the way the text runs
// from its anchor, `grows` the way its height goes, both on the board.
TEST(SilkCheck2x, TextBoxByMirrorAndAngle) {
  const double r = std::sqrt(0.5);
  struct Case {
    int angle;  // as in the file: clockwise
    bool mirror;
    bool two_x;
    Vec runs, grows;
  };
  const Case cases[] = {
      {0, false, true, {1, 0}, {0, 1}},
      {90, false, true, {0, -1}, {1, 0}},
      {180, false, true, {-1, 0}, {0, -1}},
      {270, false, true, {0, 1}, {-1, 0}},
      {45, false, true, {r, -r}, {r, r}},
      {0, true, true, {-1, 0}, {0, 1}},
      {90, true, true, {0, 1}, {1, 0}},
      {180, true, true, {1, 0}, {0, -1}},
      {270, true, true, {0, -1}, {-1, 0}},
      {45, true, true, {-r, r}, {r, r}},
      // 1.x: mirrored or not, the same box.
      {0, true, false, {1, 0}, {0, 1}},
      {90, true, false, {0, -1}, {1, 0}},
      {180, true, false, {-1, 0}, {0, -1}},
      {270, true, false, {0, 1}, {-1, 0}},
      {45, true, false, {r, -r}, {r, r}},
      {90, false, false, {0, -1}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "angle " << c.angle << " mirror " << c.mirror << (c.two_x ? " 2.x" : " 1.x"));
    Board board = c.two_x ? board_2x() : check_board();
    const Vec anchor{25 * kMm, 25 * kMm};
    BoardText t = text_2x("R12", anchor, c.angle, c.mirror, c.mirror);
    if (!c.two_x) t.layer = c.mirror ? kBottomSilk : kTopSilk;
    board.texts.push_back(t);
    const SilkScene scene = build_scene(board);
    ASSERT_EQ(scene.texts.size(), 1u);
    const double w = text_width_estimate("R12") * t.height, h = t.height;
    // The corners come in the text's own order, the baseline first along its angle: the far
    // end of a text that runs back from its anchor comes first.
    const Vec far{anchor.x + c.runs.x * w, anchor.y + c.runs.y * w};
    const bool back = c.two_x && c.mirror;
    const Vec start = back ? far : anchor;
    const Vec end = back ? anchor : far;
    const Vec expected[4] = {start,
                             end,
                             {end.x + c.grows.x * h, end.y + c.grows.y * h},
                             {start.x + c.grows.x * h, start.y + c.grows.y * h}};
    EXPECT_TRUE(same_corners(scene.texts[0].box, expected));
    EXPECT_EQ(scene.texts[0].anchor.x, anchor.x);
    EXPECT_EQ(scene.texts[0].anchor.y, anchor.y);
  }
}

// On a 2.x board a part's own reference text is an unmirrored text in the footprint's frame,
// placed with the part (x negated on the bottom, then turned); the designator made in its place
// (mirror = side, no width shift) has exactly its box.
TEST(SilkCheck2x, OwnReferenceBoxIsTheNewTextsBox) {
  const int part_angles[] = {0, 90, 180, 270, 45, -90, 450};
  const int text_angles[] = {0, 90, -90, 30, 450};
  const double rx = -1.3 * kMm, ry = 1.1 * kMm;
  const Vec pos{20 * kMm, 15 * kMm};
  for (const int side : {0, 1}) {
    for (const int pa : part_angles) {
      for (const int ta : text_angles) {
        SCOPED_TRACE(testing::Message() << "side " << side << " part " << pa << " text " << ta);
        Part part;
        part.name = "C7";
        part.side = static_cast<uint32_t>(side);
        part.angle = held(pa);
        part.pos_x = pos.x;
        part.pos_y = pos.y;
        part.ref_text_angle = held(ta);
        part.ref_text_x = rx;
        part.ref_text_y = ry;
        part.ref_text_height = 0.8 * kMm;
        // Where the conversion puts the new text.
        const int A = mod360(pa), a = mod360(ta);
        const int t = side == 1 ? (360 - a + A) % 360 : (a + A) % 360;
        const Vec off = turned_clockwise(side == 1 ? -rx : rx, ry, A);
        Board board = board_2x();
        board.texts.push_back(text_2x("C7", {pos.x + off.x, pos.y + off.y}, t, side == 1, side == 1,
                                      part.ref_text_height));
        const SilkScene scene = build_scene(board);
        ASSERT_EQ(scene.texts.size(), 1u);
        const Shape own = part_reference_box(part);
        const Vec corners[4] = {own.pts[0], own.pts[1], own.pts[2], own.pts[3]};
        // The same corners in the same order: the order says where the text starts.
        EXPECT_TRUE(same_corners(scene.texts[0].box, corners));
      }
    }
  }
}

// Which way a mirrored text runs decides what it covers: a pad just behind the anchor of a
// mirrored text is under it on a 2.x board, a pad just ahead of it on a 1.x board.
TEST(SilkCheck2x, MirroredTextCoversWhatItRunsOver) {
  struct Case {
    bool two_x;
    double pad_x;  // mm; the text's anchor is at 20 mm, its box 1.2 mm high
    bool found;
  };
  const Case cases[] = {
      {true, 19.5, true},
      {true, 20.8, false},
      {false, 19.5, false},
      {false, 20.8, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.two_x ? "2.x" : "1.x") << " pad at " << c.pad_x);
    Board board = c.two_x ? board_2x() : check_board();
    if (c.two_x) board.footprints = check_board().footprints;
    // A surface pad of 1 mm square on the bottom: a part on the bottom at the pad.
    board.parts = {part_at("R1", 0, c.pad_x, 20.6, 1)};
    BoardText t = text_2x("R1", {20 * kMm, 20 * kMm}, 0, true, true, 1.2 * kMm);
    if (!c.two_x) t.layer = kBottomSilk;
    board.texts.push_back(t);
    SilkScene scene = build_scene(board);
    ASSERT_EQ(scene.texts.size(), 1u);
    ASSERT_EQ(scene.pads.size(), 1u);
    const std::vector<Finding> findings = find_collisions(scene);
    EXPECT_EQ(!findings.empty(), c.found);
    if (c.found) {
      EXPECT_EQ(findings[0].kind, FindingKind::kPad);
    }
  }
}

// The silkscreens of a 2.x board are layers by number: 7 and 8 before 2.020, 10 and 11 from
// it on, whatever the layers are called.
TEST(SilkCheck2x, SilkscreensByNumber) {
  struct Case {
    double version;
    uint32_t top, bottom, other;
  };
  const Case cases[] = {
      {2.017, 7, 8, 10},
      {2.0199, 7, 8, 11},
      {2.020, 10, 11, 7},
      {2.428, 10, 11, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    Board board = board_2x(c.version);
    // Names that would mislead a search by name.
    board.options.layers[c.other].name = "top silk";
    board.options.layers[c.top].name = "\xE2\xE5\xF0\xF5";
    for (const uint32_t layer : {c.top, c.bottom, c.other}) {
      BoardText t = text_2x("X", {10 * kMm, 10 * kMm}, 0, false, false);
      t.layer = layer;
      board.texts.push_back(t);
    }
    const SilkScene scene = build_scene(board);
    ASSERT_EQ(scene.texts.size(), 2u);
    EXPECT_EQ(scene.texts[0].side, Side::kTop);
    EXPECT_EQ(scene.texts[1].side, Side::kBottom);
  }
}

// The test board: footprints and outline read from its text, its parts and the texts the
// conversion makes for them filled in by hand. R1's designator lands on R1's first pad.
struct TestBoard2x {
  Board board;
};

TestBoard2x test_board_2x() {
  std::ifstream in(SILKORA_SOURCE_DIR "/tests/boards_2x/silk_check_2x.krv", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  TestBoard2x b;
  Board& board = b.board;
  board.options.version = 2.427;
  board.options.n_copper_layers = 2;
  board.options.mask_clearance = 100000 * kNmInch;
  const auto part = [](const char* name, const std::string& shape, int side, int angle, int x_nm,
                       int y_nm) {
    Part p;
    p.name = name;
    p.shape = shape;
    p.side = static_cast<uint32_t>(side);
    p.angle = held(angle);
    p.pos_x = x_nm * kNmInch;
    p.pos_y = y_nm * kNmInch;
    p.ref_text_visible = 1;  // hidden by height 0, as after the conversion
    return p;
  };
  board.parts = {part("R1", "TH2X254", 0, 0, 8000000, 10000000),
                 part("C7", "TH2X254", 1, 90, 20000000, 5000000),
                 part("R2", "\xD0\xE5\xE7\xE8\xF1\xF2\xEE\xF0 0805", 0, 45, 15000000, 14000000)};
  read_footprints_and_outline_2x(board, bytes.str());
  board.texts.push_back(
      text_2x("IN", {3000000 * kNmInch, 2000000 * kNmInch}, 0, false, false, 1.5 * kMm));
  // R1: top, 0 degrees, reference (-1.8, -0.4) mm. C7: bottom, 90 degrees, reference angle -90
  // at (1.5, -0.2) mm: angle 180, (19.8, 6.5) mm. R2: top, 45 degrees, reference (-1.016,
  // 1.27) mm turned by 45 degrees.
  board.texts.push_back(text_2x("R1", {6200000 * kNmInch, 9600000 * kNmInch}, 0, false, false));
  board.texts.push_back(
      text_2x("C7", {19800000 * kNmInch, 6500000 * kNmInch}, 180, true, true, 0.8 * kMm));
  const Vec r2 = turned_clockwise(-1016000, 1270000, 45);
  board.texts.push_back(
      text_2x("R2", {(15000000 + r2.x) * kNmInch, (14000000 + r2.y) * kNmInch}, 45, false, false));
  // The three designators belong to R1, C7 and R2, in that order.
  for (int k = 0; k < 3; ++k) board.texts[board.texts.size() - 3 + k].part_index = k;
  return b;
}

TEST(SilkCheck2x, DesignatorOnAPadIsFoundAndArrangingMovesItFree) {
  TestBoard2x b = test_board_2x();
  Board& board = b.board;
  ASSERT_EQ(board.footprints.size(), 2u);
  for (const Part& p : board.parts) EXPECT_GE(p.footprint_index, 0) << p.name;

  SilkScene scene = build_scene(board);
  EXPECT_EQ(scene.passed_over, 0);
  EXPECT_EQ(scene.unknown_pads, 0);
  EXPECT_EQ(scene.texts.size(), 4u);
  // Both pins of each through-hole part on both sides, one pad of each surface pin.
  EXPECT_EQ(scene.pads.size(), 10u);
  const std::vector<Finding> before = find_collisions(scene);
  const auto on_pad = [&](const SilkScene& s, const std::vector<Finding>& findings,
                          const char* text, const char* pad) {
    for (const Finding& f : findings) {
      if (f.kind == FindingKind::kPad && *s.texts[static_cast<size_t>(f.text)].text == text &&
          pad_name(board, s.pads[static_cast<size_t>(f.other)]) == pad)
        return true;
    }
    return false;
  };
  EXPECT_TRUE(on_pad(scene, before, "R1", "R1.1"));
  EXPECT_TRUE(on_pad(scene, before, "C7", "C7.2"));
  const std::string report = check_report(board, scene, before);
  EXPECT_NE(report.find("R1"), std::string::npos) << report;

  const std::vector<BoardText> texts_before = board.texts;
  const ArrangeResult arranged = arrange_designators(board, scene);
  EXPECT_TRUE(arranged.left.empty()) << arranged.report;
  EXPECT_GE(arranged.moved.size(), 2u) << arranged.report;
  // The free text stays; only positions of designators change.
  EXPECT_EQ(board.texts[0].x, texts_before[0].x);
  EXPECT_EQ(board.texts[0].y, texts_before[0].y);
  for (size_t i = 0; i < board.texts.size(); ++i) {
    EXPECT_EQ(board.texts[i].angle, texts_before[i].angle);
    EXPECT_EQ(board.texts[i].mirror, texts_before[i].mirror);
  }
  // The board as it will be written: the designators are free.
  const SilkScene fresh = build_scene(board);
  for (const Finding& f : find_collisions(fresh)) {
    EXPECT_FALSE(fresh.texts[static_cast<size_t>(f.text)].designator)
        << check_report(board, fresh, find_collisions(fresh));
  }
}

}  // namespace
