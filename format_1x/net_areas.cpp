#include "format_1x/net_areas.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "io/fatal_error.h"
#include "io/scan.h"

int arc_points(double x1, double y1, double x2, double y2, uint32_t style,
               PolyPoint (&out)[kArcPoints]) {
  if (x1 == x2 || y1 == y2) return 0;
  // The ellipse is centred on one of the two other corners of the rectangle the end points span;
  // theta0 is the angle of the start point seen from that centre.
  const bool clockwise = style == 1;
  const bool right = x2 > x1;
  const bool up = y2 > y1;
  // Centre (x2, y1) or (x1, y2): clockwise arcs going right-up or left-down turn about (x2, y1),
  // counter-clockwise ones about (x1, y2); the other two directions the other way round.
  const bool centre_x2_y1 = (right == up) == clockwise;
  const double cx = centre_x2_y1 ? x2 : x1;
  const double cy = centre_x2_y1 ? y1 : y2;
  int theta0;
  if (clockwise) {
    theta0 = right ? (up ? 180 : 90) : (up ? 270 : 0);
  } else {
    theta0 = right ? (up ? 270 : 180) : (up ? 0 : 90);
  }
  const double rx = std::fabs(x2 - x1);
  const double ry = std::fabs(y2 - y1);
  const int step = clockwise ? -5 : 5;
  for (int i = 1; i <= kArcPoints; ++i) {
    const double theta = (theta0 + step * i) * std::numbers::pi / 180.0;
    out[i - 1] = {0, cx + rx * std::cos(theta), cy + ry * std::sin(theta)};
  }
  return kArcPoints;
}

void ContourTracer::add_point(int style, double x, double y) {
  const PolyPoint p{style, x, y};
  if (n_points_ == 0) {
    first_ = p;
  } else {
    sum_ += last_.x * p.y - p.x * last_.y;
  }
  last_ = p;
  ++n_points_;
}

void ContourTracer::add_arc(double x1, double y1, double x2, double y2, uint32_t style) {
  PolyPoint arc[kArcPoints];
  const int n = arc_points(x1, y1, x2, y2, style, arc);
  for (int i = 0; i < n; ++i) add_point(arc[i].style, arc[i].x, arc[i].y);
}

bool ContourTracer::add_corner(const AreaCorner& corner, AreaPolygon& done) {
  if (n_points_ > 0 && last_.style != 0) {
    add_arc(last_.x, last_.y, corner.x, corner.y, static_cast<uint32_t>(last_.style));
  }
  add_point(static_cast<int>(corner.style), corner.x, corner.y);
  if (corner.end_contour == 0) return false;
  if (corner.style != 0) add_arc(corner.x, corner.y, first_.x, first_.y, corner.style);
  // The side from the last point back to the first closes the sum.
  const double s = sum_ + (last_.x * first_.y - first_.x * last_.y);
  done.n_points = n_points_;
  done.orientation = s < 0 ? 1 : 2;
  done.area = s < 0 ? -s / 2 : s / 2;
  *this = ContourTracer();
  return true;
}

bool is_reserved_net(const std::string& name) {
  return name == "KEEPOUT_ALL" || name == "KEEPOUT" || name == "KEEPOUT_VIA" ||
         name == "POWER_LAYER";
}

namespace {

struct AreaErrors {
  ErrorCall<> eof, missing, bad;
};

// The area line; `n_corners` takes its declared corner count.
void read_area_line(LineReader& in, CopperArea& area, uint32_t& n_corners, const AreaErrors& e) {
  const char* line = in.read_line();
  if (line == nullptr) fatal_error(e.eof);
  line = skip_blanks(line);
  if (!starts_with(line, "area:")) fatal_error(e.missing);
  if (scan_values<"%*u %u %u %u">(text_at(line, 5), &n_corners, &area.layer, &area.aux) != 3) {
    fatal_error(e.bad);
  }
}

// The next corner line of an area, blanks skipped.
const char* read_corner_line(LineReader& in, const AreaErrors& e) {
  const char* line = in.read_line();
  if (line == nullptr) fatal_error(e.eof);
  line = skip_blanks(line);
  if (!starts_with(line, "corner:")) fatal_error(e.missing);
  return line;
}

constexpr AreaErrors kCountingArea = {Err::counting_area_eof, Err::counting_area_missing,
                                      Err::counting_area_bad};
constexpr AreaErrors kCountingCorner = {Err::counting_corner_eof, Err::counting_corner_missing,
                                        Err::counting_corner_bad};
constexpr AreaErrors kReadingArea = {Err::area_eof, Err::area_missing, Err::area_bad};
constexpr AreaErrors kReadingCorner = {Err::area_corner_eof, Err::area_corner_missing,
                                       Err::area_corner_bad};

void print_debug_line(const std::string& net_name, uint32_t area_number, uint32_t polygon_number,
                      const AreaPolygon& polygon) {
  const std::string quoted = "\"" + net_name + "\"";
  print_message("\n%s Net %-16s Area %u  Polygon %u: %s %1.4lf", polygon_number == 1 ? "\n " : " ",
                quoted.c_str(), area_number, polygon_number,
                polygon.orientation == 1 ? "CW " : "CCW", polygon.area);
}

}  // namespace

void read_net_areas(LoadContext& ctx, Net& net, uint32_t n_areas) {
  LineReader& in = ctx.in;
  net.areas.clear();
  // Areas are added as their records are read, so a count the file cannot hold ends at the end
  // of the file, not in an allocation.
  for (uint32_t a = 0; a < n_areas; ++a) {
    CopperArea& area = net.areas.emplace_back();
    const LineReader::Mark start = in.tell();

    // Counting pass: one polygon per end-of-contour corner.
    uint32_t n_corners = 0;
    read_area_line(in, area, n_corners, kCountingArea);
    size_t n_polygons = 0;
    for (uint32_t k = 0; k < n_corners; ++k) {
      const char* line = read_corner_line(in, kCountingCorner);
      uint32_t end_contour = 0;
      if (scan_values<"%*u %*f %*f %*u %u">(text_at(line, 7), &end_contour) != 1) {
        fatal_error(Err::counting_corner_bad);
      }
      if (end_contour != 0) ++n_polygons;
    }
    // Bounded by the corner lines just read.
    area.polygons.resize(n_polygons);
    in.seek(start);

    // Reading pass.
    read_area_line(in, area, n_corners, kReadingArea);
    area.corners.reserve(n_corners);  // as many corner lines as were just counted
    ContourTracer tracer;
    size_t current = 0;
    for (uint32_t k = 0; k < n_corners; ++k) {
      const char* line = read_corner_line(in, kReadingCorner);
      AreaCorner& c = area.corners.emplace_back();
      if (scan_values<"%*u %lf %lf %u %u">(text_at(line, 7), &c.x, &c.y, &c.style,
                                           &c.end_contour) != 4) {
        fatal_error(Err::area_corner_bad);
      }
      c.x *= kNmToInch;
      c.y *= kNmToInch;
      // Corners after the last end of contour have no polygon: they are kept and written back
      // but make no polygon.
      if (current >= area.polygons.size()) continue;
      AreaPolygon& polygon = area.polygons[current];
      if (tracer.add_corner(c, polygon)) {
        ++current;
        if (ctx.debug_mode) {
          print_debug_line(net.name, a + 1, static_cast<uint32_t>(current), polygon);
        }
      }
    }
  }
}

void check_area_layers(const Board& board) {
  const int64_t first = board.top_copper_index;
  const int64_t last = first + static_cast<int64_t>(board.options.n_copper_layers) - 1;
  for (const Net& net : board.nets) {
    if (is_reserved_net(net.name)) continue;
    for (const CopperArea& area : net.areas) {
      const int64_t layer = area.layer;
      if (layer < first || layer > last) fatal_board_error(Err::area_layer_bad);
    }
  }
}

void write_net_areas(Output& out, const Net& net) {
  uint32_t i = 0;
  for (const CopperArea& area : net.areas) {
    out.print<"  area: %u %u %u %u\n">(++i, static_cast<uint32_t>(area.corners.size()), area.layer,
                                       area.aux);
    uint32_t j = 0;
    for (const AreaCorner& c : area.corners) {
      out.print<"    corner: %u %d %d %u %u\n">(++j, coord_to_nm(c.x), coord_to_nm(c.y), c.style,
                                                c.end_contour);
    }
  }
}
