// Copper areas of a net and the processing of their contours.
//
//   area: number n_corners layer aux
//     corner: number x y style end_contour
//
// A contour is the run of corners up to one whose end_contour is non-zero. The side leaving a
// corner is straight for style 0, a clockwise quarter ellipse for style 1 and a
// counter-clockwise one for any other style (y pointing up). Each closed contour is traced into
// points, arcs included, to find its orientation and the area it encloses.
#pragma once

#include <cstdint>
#include <string>

#include "board/model.h"
#include "format_1x/sections.h"
#include "io/output.h"

// One traced point of a contour: corners carry their style, arc points 0.
struct PolyPoint {
  int style = 0;
  double x = 0, y = 0;
};

inline constexpr int kArcPoints = 17;

// The points strictly between (x1, y1) and (x2, y2) on the quarter ellipse the arc style `style`
// gives, 5 degrees apart, written to `out`. Returns how many: 17, or 0 when the end points share
// x or y (the side is straight).
int arc_points(double x1, double y1, double x2, double y2, uint32_t style,
               PolyPoint (&out)[kArcPoints]);

// Traces one contour corner by corner. Only what the orientation and the area need is kept
// (the first and last point and a running sum), so a contour of any length takes no memory.
class ContourTracer {
 public:
  // Adds a corner; when `end_contour` is non-zero the contour is closed (with the closing arc
  // when the corner's style asks for one), its polygon is returned through `done` and the
  // tracer is ready for the next contour. Returns whether it closed.
  bool add_corner(const AreaCorner& corner, AreaPolygon& done);

 private:
  void add_point(int style, double x, double y);
  void add_arc(double x1, double y1, double x2, double y2, uint32_t style);

  uint32_t n_points_ = 0;
  PolyPoint first_, last_;
  double sum_ = 0;  // twice the signed area of the sides traced so far
};

// Whether the net is one whose areas are not copper (keep-outs and the power layer).
bool is_reserved_net(const std::string& name);

// Reads the `n_areas` areas following a net's connections, with their polygons. With
// ctx.debug_mode a line per polygon goes to stderr.
void read_net_areas(LoadContext& ctx, Net& net, uint32_t n_areas);

// After all nets: every area of an ordinary net must lie on a copper layer.
void check_area_layers(const Board& board);

void write_net_areas(Output& out, const Net& net);
