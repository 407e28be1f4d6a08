#include "transform/mirror.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transform/text_width.h"

namespace {

// A board with top copper at `top` and `n` copper layers; every valid layer is named so that the
// layer table can be checked after mirroring.
Board board_with_layers(uint32_t n, int top = 12) {
  Board b;
  b.top_copper_index = top;
  b.options.n_copper_layers = n;
  for (int i = 0; i < top + static_cast<int>(n) && i < kMaxLayers; ++i) {
    b.options.layers[i].name = "layer " + std::to_string(i);
  }
  if (n > 0) {
    b.options.layers[top].name = "top copper";
    const uint8_t info[4] = {1, 2, 3, 4};
    std::copy(info, info + 4, b.options.layers[top].info);
  }
  return b;
}

// Where each layer index ends up, seen through a text on that layer.
std::vector<uint32_t> mirrored_layers(Board b, const std::vector<uint32_t>& layers) {
  b.texts.clear();
  for (uint32_t l : layers) {
    BoardText t;
    t.layer = l;
    b.texts.push_back(t);
  }
  mirror_board(b);
  std::vector<uint32_t> out;
  for (const BoardText& t : b.texts) out.push_back(t.layer);
  return out;
}

std::vector<uint32_t> all_layers_up_to(uint32_t end) {
  std::vector<uint32_t> v;
  for (uint32_t i = 0; i < end; ++i) v.push_back(i);
  return v;
}

AreaCorner corner(double x, double y, uint32_t style, uint32_t end = 0) {
  AreaCorner c;
  c.x = x;
  c.y = y;
  c.style = style;
  c.end_contour = end;
  return c;
}

}  // namespace

TEST(MirrorBoard, PartsChangeSideAndTurnTheOtherWay) {
  const struct {
    uint32_t angle, side;
    uint32_t want_angle, want_side;
  } cases[] = {
      {90, 0, 270, 1},                 // top part at 90 becomes a bottom part at 270
      {270, 1, 90, 0},  {0, 0, 0, 1},  // 0 stays 0
      {180, 1, 180, 0}, {45, 0, 315, 1},
      {0, 2, 0, 3},  // an odd side value is carried through the same XOR
  };
  for (const auto& c : cases) {
    Board b = board_with_layers(2);
    Part p;
    p.angle = c.angle;
    p.side = c.side;
    p.pos_x = 1.25;
    p.pos_y = -0.5;
    p.ref_text_x = 0.1;
    p.ref_text_angle = 90;
    b.parts.push_back(p);
    mirror_board(b);
    const Part& m = b.parts[0];
    EXPECT_EQ(m.angle, c.want_angle) << c.angle;
    EXPECT_EQ(m.side, c.want_side) << c.angle;
    EXPECT_EQ(m.pos_x, -1.25);
    EXPECT_EQ(m.pos_y, -0.5);
    // The part's own reference text is left to the part's new side and angle.
    EXPECT_EQ(m.ref_text_x, 0.1);
    EXPECT_EQ(m.ref_text_angle, 90u);
  }
}

TEST(MirrorBoard, LayerMapSwapsOuterCopperFixedPairsAndInnerLayers) {
  // Index i of `want` is where layer i goes; top copper is at 12.
  const std::vector<uint32_t> ident = all_layers_up_to(32);
  auto with = [&](std::initializer_list<std::pair<uint32_t, uint32_t>> moves) {
    std::vector<uint32_t> v = ident;
    for (auto [from, to] : moves) v[from] = to;
    return v;
  };
  const struct {
    uint32_t n_copper;
    std::vector<uint32_t> want;
  } cases[] = {
      {4, with({{7, 8}, {8, 7}, {9, 10}, {10, 9}, {12, 13}, {13, 12}, {14, 15}, {15, 14}})},
      // the single inner layer keeps its index
      {3, with({{7, 8}, {8, 7}, {9, 10}, {10, 9}, {12, 13}, {13, 12}})},
      {1, with({{7, 8}, {8, 7}, {9, 10}, {10, 9}, {12, 13}, {13, 12}})},
      {6, with({{7, 8},
                {8, 7},
                {9, 10},
                {10, 9},
                {12, 13},
                {13, 12},
                {14, 17},
                {17, 14},
                {15, 16},
                {16, 15}})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mirrored_layers(board_with_layers(c.n_copper), ident), c.want) << c.n_copper;
  }
}

TEST(MirrorBoard, LayerIndexesBeyondTheMapAreKept) {
  Board b = board_with_layers(4);
  BoardText t;
  t.layer = 40;
  b.texts.push_back(t);
  SmCutout cut;
  cut.layer = 40;
  b.sm_cutouts.push_back(cut);
  Net net;
  net.n_connects = 1;
  Connection conn;
  conn.n_segs = 1;
  b.connections.push_back(conn);
  b.vertices.resize(2);
  for (Vertex& v : b.vertices) v.layer = v.seg.layer = 40;
  CopperArea area;
  area.layer = 40;
  net.areas.push_back(area);
  b.nets.push_back(net);

  mirror_board(b);
  EXPECT_EQ(b.texts[0].layer, 40u);
  EXPECT_EQ(b.sm_cutouts[0].layer, 40u);
  for (const Vertex& v : b.vertices) {
    EXPECT_EQ(v.layer, 40u);
    EXPECT_EQ(v.seg.layer, 40u);
  }
  EXPECT_EQ(b.nets[0].areas[0].layer, 40u);
  EXPECT_EQ(mirrored_layers(board_with_layers(2), {31, 32, 4294967295u}),
            (std::vector<uint32_t>{31, 32, 4294967295u}));
}

TEST(MirrorBoard, CopperLayersNearTheEndOfTheTableStayInside) {
  // Top copper at 30: 30 and 31 swap; the inner layers 32 and 33 have no map entry.
  EXPECT_EQ(mirrored_layers(board_with_layers(4, 30), {29, 30, 31, 32, 33}),
            (std::vector<uint32_t>{29, 31, 30, 32, 33}));
  // Top copper at 26 with 8 layers: inner 28..33; only the pairs inside the map swap
  // (29 <-> 32 and 28 <-> 33 are skipped, 30 <-> 31 is done).
  EXPECT_EQ(mirrored_layers(board_with_layers(8, 26), {26, 27, 28, 29, 30, 31}),
            (std::vector<uint32_t>{27, 26, 28, 29, 31, 30}));
  // A copper count far beyond the table: nothing to swap among the inner layers, and no
  // billions of steps.
  Board huge = board_with_layers(2);
  huge.options.n_copper_layers = 4294967294u;
  EXPECT_EQ(mirrored_layers(huge, {12, 13, 14, 20, 31}),
            (std::vector<uint32_t>{13, 12, 14, 20, 31}));
}

TEST(MirrorBoard, MissingBottomCopperLayerIsAdded) {
  Board one = board_with_layers(1);
  one.options.layers[13] = Layer{};  // nothing stands after top copper
  mirror_board(one);
  EXPECT_EQ(one.options.n_copper_layers, 2u);
  EXPECT_EQ(one.options.layers[12].name, "top copper");
  EXPECT_EQ(one.options.layers[13].name, "bottom copper");
  EXPECT_EQ(std::vector<uint8_t>(one.options.layers[13].info, one.options.layers[13].info + 4),
            (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(find_layer(one, "bottom copper"), 13);

  Board none = board_with_layers(0);
  mirror_board(none);
  EXPECT_EQ(none.options.n_copper_layers, 2u);
  EXPECT_EQ(none.options.layers[12].name, "top copper");
  EXPECT_EQ(none.options.layers[13].name, "bottom copper");

  // Already two or more: the table is left alone.
  Board four = board_with_layers(4);
  mirror_board(four);
  EXPECT_EQ(four.options.n_copper_layers, 4u);
  EXPECT_EQ(four.options.layers[13].name, "layer 13");

  // Top copper in the last entry: no room for another layer, the count stays.
  Board last = board_with_layers(1, 63);
  mirror_board(last);
  EXPECT_EQ(last.options.n_copper_layers, 1u);
  EXPECT_EQ(last.options.layers[63].name, "top copper");
}

TEST(MirrorBoard, OutlineAndCutoutCornersNegateXAndTurnArcs) {
  const struct {
    uint32_t style, want;
  } cases[] = {
      {0, 0},          // straight side
      {1, 2},          // the two arc directions trade places
      {2, 1}, {3, 0},  // low two bits flipped, like every non-zero style
      {4, 7}, {7, 4},
  };
  for (const auto& c : cases) {
    Board b = board_with_layers(2);
    BoardOutline outline;
    outline.corners.push_back({1.5, 2.0, c.style});
    b.board_outlines.push_back(outline);
    SmCutout cut;
    cut.layer = 9;
    cut.aux = 5;
    cut.corners.push_back({-0.25, 0.75, c.style});
    b.sm_cutouts.push_back(cut);
    mirror_board(b);
    const OutlineCorner& o = b.board_outlines[0].corners[0];
    EXPECT_EQ(o.x, -1.5);
    EXPECT_EQ(o.y, 2.0);
    EXPECT_EQ(o.style, c.want) << c.style;
    const SmCutout& m = b.sm_cutouts[0];
    EXPECT_EQ(m.corners[0].x, 0.25);
    EXPECT_EQ(m.corners[0].style, c.want) << c.style;
    EXPECT_EQ(m.layer, 10u);
    EXPECT_EQ(m.aux, 5u);
  }
}

TEST(MirrorBoard, VerticesAndEverySegmentLayerAreMapped) {
  Board b = board_with_layers(4);
  Net net;
  net.n_connects = 1;
  Connection conn;
  conn.n_segs = 2;
  const uint32_t layers[3] = {12, 14, 13};
  for (uint32_t l : layers) {
    Vertex v;
    v.x = 0.5;
    v.y = 0.25;
    v.layer = l;
    v.seg.layer = l;
    b.vertices.push_back(v);
  }
  b.connections.push_back(conn);
  b.nets.push_back(net);
  mirror_board(b);
  const std::vector<Vertex>& v = b.vertices;
  const uint32_t want[3] = {13, 15, 12};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(v[i].x, -0.5);
    EXPECT_EQ(v[i].y, 0.25);
    EXPECT_EQ(v[i].layer, want[i]);
    EXPECT_EQ(v[i].seg.layer, want[i]) << i;  // the last vertex's unwritten segment too
  }
}

TEST(MirrorBoard, AreaContoursAreReversedWithStylesMovedOn) {
  Board b = board_with_layers(2);
  Net net;
  CopperArea one;  // A B C D with styles a b c d
  one.layer = 12;
  one.corners = {corner(1, 10, 11), corner(2, 20, 22), corner(3, 30, 33), corner(4, 40, 44, 1)};
  CopperArea two;  // contours [A B C] and [D E], then a corner F that closes nothing
  two.layer = 13;
  two.corners = {corner(1, 10, 1), corner(2, 20, 2),    corner(3, 30, 0, 5),
                 corner(4, 40, 1), corner(5, 50, 2, 1), corner(6, 60, 2)};
  net.areas = {one, two};
  b.nets.push_back(net);
  mirror_board(b);

  struct Want {
    double x, y;
    uint32_t style, end;
  };
  auto check = [](const CopperArea& area, const std::vector<Want>& want) {
    ASSERT_EQ(area.corners.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(area.corners[i].x, want[i].x) << i;
      EXPECT_EQ(area.corners[i].y, want[i].y) << i;
      EXPECT_EQ(area.corners[i].style, want[i].style) << i;
      EXPECT_EQ(area.corners[i].end_contour, want[i].end) << i;
    }
  };
  // D C B A with styles c b a d, the end flag still on the fourth.
  check(b.nets[0].areas[0], {{-4, 40, 33, 0}, {-3, 30, 22, 0}, {-2, 20, 11, 0}, {-1, 10, 44, 1}});
  EXPECT_EQ(b.nets[0].areas[0].layer, 13u);
  // C B A (styles b a c), then E D (styles d e); F stays where it was with x negated.
  check(b.nets[0].areas[1], {{-3, 30, 2, 0},
                             {-2, 20, 1, 0},
                             {-1, 10, 0, 5},
                             {-5, 50, 1, 0},
                             {-4, 40, 2, 1},
                             {-6, 60, 2, 0}});
  EXPECT_EQ(b.nets[0].areas[1].layer, 12u);
}

TEST(MirrorBoard, TextsMoveByTheirWidthAlongTheirReadingDirection) {
  const double h = 0.05;
  const double w = text_width_estimate("R1") * h;  // 27/22 of the height
  const struct {
    uint32_t angle;
    double want_x, want_y;
    uint32_t want_angle;
  } cases[] = {
      {0, -1.0 - w, 2.0, 0},    {90, -1.0, 2.0 + w, 270}, {180, -1.0 + w, 2.0, 180},
      {270, -1.0, 2.0 - w, 90}, {45, -1.0, 2.0, 45},  // no shift for other angles
  };
  for (const auto& c : cases) {
    Board b = board_with_layers(2);
    BoardText t;
    t.text = "R1";
    t.x = 1.0;
    t.y = 2.0;
    t.height = h;
    t.stroke_width = 0.005;
    t.angle = c.angle;
    t.mirror = 0;
    t.layer = 7;
    b.texts.push_back(t);
    mirror_board(b);
    const BoardText& m = b.texts[0];
    EXPECT_DOUBLE_EQ(m.x, c.want_x) << c.angle;
    EXPECT_DOUBLE_EQ(m.y, c.want_y) << c.angle;
    EXPECT_EQ(m.angle, c.want_angle);
    EXPECT_EQ(m.mirror, 1u);
    EXPECT_EQ(m.layer, 8u);
    EXPECT_EQ(m.height, h);
  }
}

TEST(MirrorBoard, MirroringTwiceRestoresTheBoard) {
  Board b = board_with_layers(1);
  b.board_outlines.push_back({{{0, 0, 0}, {1.5, 0, 1}, {1.5, 1, 2}, {0.1, 1, 0}}});
  SmCutout cut;
  cut.layer = 7;
  cut.corners = {{0.2, 0.2, 1}, {0.3, 0.3, 0}};
  b.sm_cutouts.push_back(cut);
  for (uint32_t a : {0u, 90u, 180u, 270u, 45u}) {
    Part p;
    p.angle = a;
    p.side = a % 2;
    p.pos_x = 0.1 * a;
    p.pos_y = 0.3;
    b.parts.push_back(p);
    BoardText t;
    t.text = "U" + std::to_string(a);
    t.angle = a;
    t.x = 0.01 * a;
    t.y = 0.7;
    t.height = 0.06;
    t.layer = 9 + a % 4;
    b.texts.push_back(t);
  }
  Net net;
  net.n_connects = 1;
  Connection conn;
  conn.n_segs = 2;
  b.connections.push_back(conn);
  b.vertices.resize(3);
  b.vertices[0].x = 0.4;
  b.vertices[0].layer = 12;
  b.vertices[1].x = -0.4;
  b.vertices[1].seg.layer = 13;
  CopperArea area;
  area.layer = 12;
  area.corners = {corner(1, 1, 1), corner(2, 2, 2),    corner(3, 3, 0, 1),
                  corner(4, 4, 2), corner(5, 5, 1, 1), corner(6, 6, 1)};
  net.areas.push_back(area);
  b.nets.push_back(net);

  Board twice = b;
  mirror_board(twice);
  mirror_board(twice);

  // The added bottom copper layer stays; everything else is as before.
  EXPECT_EQ(twice.options.n_copper_layers, 2u);
  EXPECT_EQ(twice.options.layers[12].name, "top copper");
  for (size_t i = 0; i < b.board_outlines[0].corners.size(); ++i) {
    EXPECT_EQ(twice.board_outlines[0].corners[i].x, b.board_outlines[0].corners[i].x);
    EXPECT_EQ(twice.board_outlines[0].corners[i].style, b.board_outlines[0].corners[i].style);
  }
  EXPECT_EQ(twice.sm_cutouts[0].layer, 7u);
  EXPECT_EQ(twice.sm_cutouts[0].corners[0].style, 1u);
  for (size_t i = 0; i < b.parts.size(); ++i) {
    EXPECT_EQ(twice.parts[i].pos_x, b.parts[i].pos_x);
    EXPECT_EQ(twice.parts[i].angle, b.parts[i].angle);
    EXPECT_EQ(twice.parts[i].side, b.parts[i].side);
  }
  for (size_t i = 0; i < b.texts.size(); ++i) {
    EXPECT_DOUBLE_EQ(twice.texts[i].x, b.texts[i].x) << i;
    EXPECT_DOUBLE_EQ(twice.texts[i].y, b.texts[i].y) << i;
    EXPECT_EQ(twice.texts[i].angle, b.texts[i].angle);
    EXPECT_EQ(twice.texts[i].mirror, b.texts[i].mirror);
    EXPECT_EQ(twice.texts[i].layer, b.texts[i].layer);
  }
  const auto& v0 = b.vertices;
  const auto& v2 = twice.vertices;
  ASSERT_EQ(v2.size(), v0.size());
  for (size_t i = 0; i < v0.size(); ++i) {
    EXPECT_EQ(v2[i].x, v0[i].x);
    EXPECT_EQ(v2[i].layer, v0[i].layer);
    EXPECT_EQ(v2[i].seg.layer, v0[i].seg.layer);
  }
  const auto& c0 = b.nets[0].areas[0].corners;
  const auto& c2 = twice.nets[0].areas[0].corners;
  for (size_t i = 0; i < c0.size(); ++i) {
    EXPECT_EQ(c2[i].x, c0[i].x) << i;
    EXPECT_EQ(c2[i].y, c0[i].y) << i;
    EXPECT_EQ(c2[i].style, c0[i].style) << i;
    EXPECT_EQ(c2[i].end_contour, c0[i].end_contour) << i;
  }
  EXPECT_EQ(twice.nets[0].areas[0].layer, 12u);
}

// The map's entries are set, not swapped: with "top copper" among the fixed pairs, the fixed
// pairs are set last and win.
TEST(MirrorBoard, FixedPairsAreSetAfterTheCopperPair) {
  // Top copper at 8: first 8 <-> 9, then 7 <-> 8 and 9 <-> 10 are set over it.
  EXPECT_EQ(mirrored_layers(board_with_layers(2, 8), {6, 7, 8, 9, 10, 11}),
            (std::vector<uint32_t>{6, 8, 7, 10, 9, 11}));
  // Top copper at 5 with 6 copper layers: the inner layers 7..10 are reversed after the fixed
  // pairs were set, swapping what the entries then hold.
  EXPECT_EQ(mirrored_layers(board_with_layers(6, 5), {5, 6, 7, 8, 9, 10}),
            (std::vector<uint32_t>{6, 5, 9, 10, 7, 8}));
}
