#include "format_1x/net_areas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "format_1x/nets.h"
#include "format_1x/test_support.h"

namespace {

constexpr double kInch = 25400000;  // nanometres

// Four copper layers, top copper at 12: copper layers 12 to 15.
const std::string kLayers = crlf({
    "n_copper_layers: 4",
    "layer_info: \"selection\" 0 0 0 0 1",
    "layer_info: \"background\" 1 0 0 0 1",
    "layer_info: \"visible grid\" 2 0 0 0 1",
    "layer_info: \"highlight\" 3 0 0 0 1",
    "layer_info: \"DRC error\" 4 0 0 0 1",
    "layer_info: \"board outline\" 5 0 0 0 1",
    "layer_info: \"rat line\" 6 0 0 0 1",
    "layer_info: \"top silk\" 7 0 0 0 1",
    "layer_info: \"bottom silk\" 8 0 0 0 1",
    "layer_info: \"top sm cutout\" 9 0 0 0 1",
    "layer_info: \"bottom sm cutout\" 10 0 0 0 1",
    "layer_info: \"thru pad\" 11 0 0 0 1",
    "layer_info: \"top copper\" 12 0 0 0 1",
    "layer_info: \"bottom copper\" 13 0 0 0 1",
    "layer_info: \"inner 1\" 14 0 0 0 1",
    "layer_info: \"inner 2\" 15 0 0 0 1",
});

std::string board_of(const std::string& nets) {
  return board_with(
      kLayers, "",
      "[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n[nets]\r\n" + nets + "\r\n");
}

// A corner record with coordinates in inches.
std::string corner(int number, double x, double y, int style, int end) {
  char line[128];
  std::snprintf(line, sizeof line, "corner: %d %.0f %.0f %d %d\r\n", number, x * kInch, y * kInch,
                style, end);
  return line;
}

// One net named `name` with one area on `layer` holding `corners`.
std::string net_with_area(const char* name, int layer, const std::string& corners, int n) {
  return "net: \"" + std::string(name) + "\" 0 0 1 0 0 0 0\r\narea: 1 " + std::to_string(n) + " " +
         std::to_string(layer) + " 0\r\n" + corners;
}

// Loads with -D; the debug lines go to `debug`.
Board load_debug(const std::string& nets, std::string& debug) {
  testing::internal::CaptureStderr();
  try {
    Board board = load_text(board_of(nets), 1);
    debug = testing::internal::GetCapturedStderr();
    return board;
  } catch (...) {
    debug = testing::internal::GetCapturedStderr();
    throw;
  }
}

const std::string kSquareCcw =
    corner(1, 0, 0, 0, 0) + corner(2, 1, 0, 0, 0) + corner(3, 1, 1, 0, 0) + corner(4, 0, 1, 0, 1);
const std::string kSquareCw =
    corner(1, 0, 0, 0, 0) + corner(2, 0, 1, 0, 0) + corner(3, 1, 1, 0, 0) + corner(4, 1, 0, 0, 1);

// The parametric angle, in degrees, of point (x, y) on the ellipse about (cx, cy).
double ellipse_angle(double x, double y, double cx, double cy, double rx, double ry) {
  return std::atan2((y - cy) / ry, (x - cx) / rx) * 180 / std::numbers::pi;
}

}  // namespace

TEST(ArcPoints, SeventeenPointsOnTheQuarterEllipseAboutTheRightCentre) {
  // End point relative to the start, for both senses: the centre and the start angle.
  const struct {
    double x2, y2;
    uint32_t style;
    double cx, cy, theta0;
  } cases[] = {
      // Clockwise (style 1).
      {3, 1, 1, 3, -1, 180},
      {-3, 1, 1, 0, 1, 270},
      {-3, -3, 1, -3, -1, 0},
      {3, -3, 1, 0, -3, 90},
      // Counter-clockwise (style 2 and any other non-zero style).
      {3, 1, 2, 0, 1, 270},
      {-3, 1, 2, -3, -1, 0},
      {-3, -3, 2, 0, -3, 90},
      {3, -3, 2, 3, -1, 180},
      {3, 1, 7, 0, 1, 270},
      {3, 1, 0, 0, 1, 270},
  };
  const double x1 = 0, y1 = -1;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "to " << c.x2 << "," << c.y2 << " style " << c.style);
    PolyPoint points[kArcPoints];
    ASSERT_EQ(arc_points(x1, y1, c.x2, c.y2, c.style, points), 17);
    const double rx = std::fabs(c.x2 - x1), ry = std::fabs(c.y2 - y1);
    // The start point lies at theta0 about the centre, the end point 90 degrees further on.
    const double sense = c.style == 1 ? -1 : 1;
    EXPECT_NEAR(c.cx + rx * std::cos(c.theta0 * std::numbers::pi / 180), x1, 1e-12);
    EXPECT_NEAR(c.cy + ry * std::sin(c.theta0 * std::numbers::pi / 180), y1, 1e-12);
    const double end = (c.theta0 + sense * 90) * std::numbers::pi / 180;
    EXPECT_NEAR(c.cx + rx * std::cos(end), c.x2, 1e-12);
    EXPECT_NEAR(c.cy + ry * std::sin(end), c.y2, 1e-12);
    for (int i = 0; i < kArcPoints; ++i) {
      const PolyPoint& p = points[i];
      EXPECT_EQ(p.style, 0);
      const double u = (p.x - c.cx) / rx, v = (p.y - c.cy) / ry;
      EXPECT_NEAR(u * u + v * v, 1.0, 1e-12) << i;
      // 5 degrees apart, from the start toward the end, strictly between them.
      double step = ellipse_angle(p.x, p.y, c.cx, c.cy, rx, ry) - c.theta0;
      step = std::fmod(sense * step + 720, 360);
      EXPECT_NEAR(step, 5.0 * (i + 1), 1e-9) << i;
    }
  }
}

TEST(ArcPoints, NoneWhenTheEndPointsShareXOrY) {
  PolyPoint points[kArcPoints];
  EXPECT_EQ(arc_points(0, 0, 1, 0, 1, points), 0);
  EXPECT_EQ(arc_points(0, 0, 0, -1, 2, points), 0);
  EXPECT_EQ(arc_points(2, 3, 2, 3, 1, points), 0);
}

TEST(PolyProc, SquareInBothSensesWithDebugLines) {
  const struct {
    const std::string& corners;
    int orientation;
    const char* debug;
  } cases[] = {
      {kSquareCcw, 2, "\n\n  Net \"GND\"            Area 1  Polygon 1: CCW 1.0000"},
      {kSquareCw, 1, "\n\n  Net \"GND\"            Area 1  Polygon 1: CW  1.0000"},
  };
  for (const auto& c : cases) {
    std::string debug;
    const Board board = load_debug(net_with_area("GND", 12, c.corners, 4), debug);
    EXPECT_EQ(debug, c.debug);
    const AreaPolygon& polygon = board.nets[0].areas[0].polygons.at(0);
    EXPECT_EQ(polygon.orientation, c.orientation);
    EXPECT_DOUBLE_EQ(polygon.area, 1.0);
    EXPECT_EQ(polygon.n_points, 4u);
  }
  // Without -D nothing is printed.
  testing::internal::CaptureStderr();
  load_text(board_of(net_with_area("GND", 12, kSquareCcw, 4)));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(PolyProc, ArcsBetweenCornersAndClosingArcs) {
  // 18 sides of 5 degrees each on a quarter of the unit circle enclose 9 sin 5 degrees.
  const double quarter = 9 * std::sin(5 * std::numbers::pi / 180);
  const struct {
    const char* what;
    std::string corners;
    int n_corners;
    uint32_t n_points;
    int orientation;
    double area;
    const char* debug_end;
  } cases[] = {
      {"counter-clockwise arc from a corner",
       corner(1, 0, 0, 0, 0) + corner(2, 1, 0, 2, 0) + corner(3, 0, 1, 0, 1), 3, 20, 2, quarter,
       "CCW 0.7844"},
      {"clockwise arc over a 2 by 1 ellipse",
       corner(1, 0, 0, 1, 0) + corner(2, 2, 1, 0, 0) + corner(3, 2, 0, 0, 1), 3, 20, 1, 2 * quarter,
       "CW  1.5688"},
      {"closing arc from the last corner",
       corner(1, 0, 1, 0, 0) + corner(2, 0, 0, 0, 0) + corner(3, 1, 0, 2, 1), 3, 20, 2, quarter,
       "CCW 0.7844"},
      {"arc styles between corners sharing x or y draw no arc",
       corner(1, 0, 0, 1, 0) + corner(2, 1, 0, 2, 0) + corner(3, 1, 1, 1, 0) +
           corner(4, 0, 1, 2, 1),
       4, 4, 2, 1.0, "CCW 1.0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string debug;
    const Board board = load_debug(net_with_area("N", 12, c.corners, c.n_corners), debug);
    const AreaPolygon& polygon = board.nets[0].areas[0].polygons.at(0);
    EXPECT_EQ(polygon.n_points, c.n_points);
    EXPECT_EQ(polygon.orientation, c.orientation);
    EXPECT_NEAR(polygon.area, c.area, 1e-12);
    EXPECT_EQ(debug.substr(debug.size() - 10), c.debug_end);
  }
}

TEST(PolyProc, ContoursAndAreasNumberedInDebugLines) {
  // Two contours in area 1 (the second a hole), one in area 2, on a reserved net: only each
  // area's first polygon starts with a blank line.
  const std::string hole = corner(5, 0.25, 0.25, 0, 0) + corner(6, 0.25, 0.75, 0, 0) +
                           corner(7, 0.75, 0.75, 0, 0) + corner(8, 0.75, 0.25, 0, 1);
  const std::string nets =
      net_with_area("KEEPOUT", 3, kSquareCcw + hole, 8) + "area: 2 4 3 0\r\n" + kSquareCw;
  std::string debug;
  const Board board = load_debug(
      std::string(nets).replace(nets.find(" 0 0 1 0 0 0 0"), 14, " 0 0 2 0 0 0 0"), debug);
  EXPECT_EQ(debug,
            "\n\n  Net \"KEEPOUT\"        Area 1  Polygon 1: CCW 1.0000"
            "\n  Net \"KEEPOUT\"        Area 1  Polygon 2: CW  0.2500"
            "\n\n  Net \"KEEPOUT\"        Area 2  Polygon 1: CW  1.0000");
  ASSERT_EQ(board.nets[0].areas.size(), 2u);
  EXPECT_EQ(board.nets[0].areas[0].polygons.size(), 2u);
}

TEST(PolyProc, CornersAfterTheLastContourEndAreKeptButMakeNoPolygon) {
  const std::string nets = net_with_area("N", 13, kSquareCcw + corner(5, -1, -2, 1, 0), 5) +
                           "net: \"M\" 0 0 1 0 0 0 0\r\narea: 1 2 14 9\r\n" +
                           corner(1, 0.5, 0.5, 2, 0) + corner(2, 1, -1, 0, 0);
  std::string debug;
  const Board board = load_debug(nets, debug);
  EXPECT_EQ(debug, "\n\n  Net \"N\"              Area 1  Polygon 1: CCW 1.0000");
  EXPECT_EQ(board.nets[0].areas[0].polygons.size(), 1u);
  EXPECT_EQ(board.nets[0].areas[0].corners.size(), 5u);
  EXPECT_TRUE(board.nets[1].areas[0].polygons.empty());
  Output out;
  write_nets(out, board);
  EXPECT_EQ(out.text(),
            crlf({"", "[nets]", "", "net: \"N\" 0 0 1 0 0 0 0", "  area: 1 5 13 0",
                  "    corner: 1 0 0 0 0", "    corner: 2 25400000 0 0 0",
                  "    corner: 3 25400000 25400000 0 0", "    corner: 4 0 25400000 0 1",
                  "    corner: 5 -25400000 -50800000 1 0", "", "net: \"M\" 0 0 1 0 0 0 0",
                  "  area: 1 2 14 9", "    corner: 1 12700000 12700000 2 0",
                  "    corner: 2 25400000 -25400000 0 0"}));
}

TEST(PolyProc, CornersWrittenBackWithTheSameIntegers) {
  const Board board = load_text(board_of(crlf(
      {"net: \"N\" 0 0 1 0 0 0 0", "\tarea: 7 3 15 4294967295", "  corner: 9 -1 -2147483647 5 0",
       "corner: 1 2147483647 1 0 0", "corner: 1 -2540000 1270 4294967295 4294967295"})));
  Output out;
  write_nets(out, board);
  EXPECT_EQ(out.text(),
            crlf({"", "[nets]", "", "net: \"N\" 0 0 1 0 0 0 0", "  area: 1 3 15 4294967295",
                  "    corner: 1 -1 -2147483647 5 0", "    corner: 2 2147483647 1 0 0",
                  "    corner: 3 -2540000 1270 4294967295 4294967295"}));
}

TEST(AreaLayers, CopperRangeAndReservedNets) {
  const struct {
    const char* net;
    int layer;
    int code;
  } cases[] = {
      {"GND", 12, 0},         {"GND", 15, 0},        {"GND", 11, 13018},     {"GND", 16, 13018},
      {"GND", 0, 13018},      {"KEEPOUT", 3, 0},     {"KEEPOUT_ALL", 99, 0}, {"KEEPOUT_VIA", 0, 0},
      {"POWER_LAYER", 16, 0}, {"keepout", 3, 13018}, {"KEEPOUT ", 3, 13018},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.net << " on " << c.layer);
    std::string message, location;
    EXPECT_EQ(
        load_error(board_of(net_with_area(c.net, c.layer, kSquareCcw, 4)), &message, &location),
        c.code);
    if (c.code != 0) {
      EXPECT_EQ(message, "bad copper area layer");
      // Raised after all nets are read: no input line is pointed at.
      EXPECT_EQ(location, "");
    }
  }
  // The check comes after all nets: a bad area of the first net fails only once a later net's
  // errors had their chance.
  EXPECT_EQ(load_error(board_of(net_with_area("GND", 2, kSquareCcw, 4) +
                                crlf({"net: \"B\" 0 0 0 0 0 0"}))),
            12631);
}

TEST(AreaRecords, FatalErrors) {
  const std::string net = "net: \"N\" 0 0 1 0 0 0 0";
  const struct {
    std::string nets;
    int code;
    const char* message;
  } cases[] = {
      {crlf({net.c_str(), "corner: 1 0 0 0 1"}), 12847, "missing net area record"},
      {crlf({net.c_str(), "area: 1 1 12"}), 12855, "bad net area: record"},
      {crlf({net.c_str(), "area: 1 2 12 0", "corner: 1 0 0 0 1", "; comment"}), 12869,
       "missing net area corner record"},
      {crlf({net.c_str(), "area: 1 1 12 0", "corner: 1 0 0 0"}), 12876,
       "bad net area corner: record"},
      {crlf({net.c_str(), "area: 1 1 12 0", "corner: 1 0 x 0 1"}), 12876,
       "bad net area corner: record"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nets);
    std::string message, location;
    EXPECT_EQ(load_error(board_of(c.nets), &message, &location), c.code);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(location.rfind("  at line ", 0), 0u) << location;
  }
}
