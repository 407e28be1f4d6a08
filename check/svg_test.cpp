#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "check/silk_check.h"
#include "check/test_boards.h"

namespace {

// The numbers of `svg` from `from` on, up to `count` of them, skipping everything else.
std::vector<double> numbers_at(const std::string& svg, size_t from, size_t count) {
  std::vector<double> out;
  size_t i = from;
  while (out.size() < count && i < svg.size()) {
    const auto digit = [&](size_t k) { return k < svg.size() && svg[k] >= '0' && svg[k] <= '9'; };
    if (digit(i) || ((svg[i] == '-' || svg[i] == '.') && digit(i + 1))) {
      size_t used = 0;
      out.push_back(std::stod(svg.substr(i, 32), &used));
      i += used;
    } else {
      ++i;
    }
  }
  return out;
}

bool near_a_corner(const std::vector<Vec>& corners, Vec p) {
  for (const Vec& c : corners)
    if (std::hypot(c.x - p.x, c.y - p.y) < 0.05) return true;
  return false;
}

// In the picture, the one text's glyphs run inside its box: the start of the drawn baseline,
// its end and the top of its start are corners of the box drawn around it, whichever side the
// text is on, whichever way it is mirrored and turned, and whichever dialect the board is.
TEST(Picture, GlyphsRunInsideTheirBox) {
  struct Case {
    const char* what;
    std::function<Board()> make;
  };
  const auto own_bottom_reference = [](double version, uint32_t part_angle, uint32_t text_angle) {
    Board board = check_board();
    board.options.version = version;
    Part p = part_at("R12", 0, 25, 25, 1, part_angle);
    p.ref_text_height = 1 * kMm;
    p.ref_text_x = 2 * kMm;
    p.ref_text_y = 3 * kMm;
    p.ref_text_angle = text_angle;
    board.parts = {p};
    return board;
  };
  const auto board_text = [](double version, uint32_t layer, uint32_t mirror, uint32_t angle) {
    Board board = check_board();
    board.options.version = version;
    BoardText t = text_at("R12", 25, 25, layer);
    t.mirror = mirror;
    t.angle = angle;
    board.texts = {t};
    return board;
  };
  const Case cases[] = {
      {"1.x own reference on the bottom", [&] { return own_bottom_reference(1.352, 0, 0); }},
      {"1.x own reference on the bottom, turned",
       [&] { return own_bottom_reference(1.352, 90, 0); }},
      {"1.x own reference on the bottom, text turned",
       [&] { return own_bottom_reference(1.352, 0, 270); }},
      {"2.x own reference on the bottom", [&] { return own_bottom_reference(2.427, 90, 45); }},
      {"1.x mirrored text", [&] { return board_text(1.352, kBottomSilk, 1, 0); }},
      {"1.x mirrored text, turned", [&] { return board_text(1.352, kBottomSilk, 1, 90); }},
      {"1.x text on top", [&] { return board_text(1.352, kTopSilk, 0, 180); }},
      {"2.x mirrored text", [&] { return board_text(2.017, 8, 1, 0); }},
      {"2.x mirrored text, turned", [&] { return board_text(2.017, 8, 1, 90); }},
      {"2.x mirrored text at 45", [&] { return board_text(2.017, 8, 1, 45); }},
      {"2.x text on top", [&] { return board_text(2.017, 7, 0, 315); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Board board = c.make();
    const SilkScene scene = build_scene(board);
    ASSERT_EQ(scene.texts.size(), 1u);
    const std::string svg = check_picture(board, scene, {}, {}, "t");
    const size_t text = svg.find("<text transform=\"matrix(");
    ASSERT_NE(text, std::string::npos);
    const size_t polygon = svg.rfind("<polygon points=\"", text);
    ASSERT_NE(polygon, std::string::npos);
    const std::vector<double> m = numbers_at(svg, text, 6);
    const std::vector<double> p = numbers_at(svg, polygon, 8);
    const std::vector<double> size = numbers_at(svg, svg.find("font-size=\"", text), 1);
    const std::vector<double> length = numbers_at(svg, svg.find("textLength=\"", text), 1);
    ASSERT_EQ(m.size(), 6u);
    ASSERT_EQ(p.size(), 8u);
    ASSERT_EQ(size.size() + length.size(), 2u);
    const std::vector<Vec> corners = {{p[0], p[1]}, {p[2], p[3]}, {p[4], p[5]}, {p[6], p[7]}};
    const Vec start{m[4], m[5]};
    EXPECT_TRUE(near_a_corner(corners, start)) << svg.substr(polygon, 300);
    EXPECT_TRUE(near_a_corner(corners, {start.x + m[0] * length[0], start.y + m[1] * length[0]}))
        << svg.substr(polygon, 300);
    // The glyphs' up is the matrix's second column turned over.
    EXPECT_TRUE(near_a_corner(corners, {start.x - m[2] * size[0], start.y - m[3] * size[0]}))
        << svg.substr(polygon, 300);
  }
}

}  // namespace
