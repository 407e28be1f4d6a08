// Plane geometry of the silkscreen check: text boxes, pads and the board outline, and the tests
// between them. Lengths are inches, as everywhere in the board model; y points up.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/model.h"

struct Vec {
  double x = 0, y = 0;
};

struct Aabb {
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
};

// A convex core grown by a radius: everything within `radius` of the core belongs to the shape.
// The core is a convex polygon (3 to 8 corners, either winding), a segment (2) or a point (1).
// Text boxes and square pads have radius 0; a round pad is a point grown by half its width, an
// oval a segment, a rounded rectangle a smaller rectangle.
struct Shape {
  std::array<Vec, 8> pts{};
  int n = 0;
  double radius = 0;
};

// The cosine and sine of a whole-degree angle, exact at the right angles. Angles beyond 360
// count by their rest.
Vec unit_of_angle(uint32_t degrees);

// A text's box: from its anchor, `width` along its angle and `height` across, turned
// counter-clockwise. The corners are the start of the baseline, its end, the far corner and the
// top of the start, in the text's own frame. A text that `runs_back` spans the width behind its
// anchor, which is then the end of the baseline: so runs a mirrored text of a 2.x board. On a
// 1.x board a mirrored text has the box of an unmirrored one; only its glyphs are mirrored
// inside it.
Shape text_box(Vec anchor, uint32_t angle, double width, double height, bool runs_back = false);

// Where a part puts its footprint's points on the board: mirrored in x for a part on the bottom,
// then turned counter-clockwise by the part's angle and moved to its position.
struct Placement {
  Vec pos;
  Vec turn;  // unit_of_angle of the part's angle
  bool mirrored = false;
  Vec point(Vec fp) const;
};
Placement placement_of(const Part& part);

// The copper a pad record makes at a pin, on the board; false for shape 0 (no copper) and for
// shapes this program does not know.
bool pad_shape(const PadSpec& pad, const FootprintPin& pin, const Placement& where, Shape& out);

// A pin's hole as a round shape on the board.
Shape hole_shape(const FootprintPin& pin, const Placement& where);

Aabb bounds(const Shape& s);

// True when the two shapes share area (touching is not overlapping); `where` gets a point of
// the shared part.
bool shapes_overlap(const Shape& a, const Shape& b, Vec* where);

// True when the two shapes come closer than `gap`; used to find free places, which keep a
// clearance.
bool shapes_within(const Shape& a, const Shape& b, double gap);

// The board outline as a polygon, its arcs (corner styles 1 and 2) drawn as quarter ellipses
// in chords within 1 µm of the true arc (up to radii of 3.4 m and 65536 arc points in all; beyond,
// in fewer chords). Fewer than three usable corners give an empty polygon.
std::vector<Vec> outline_polygon(const BoardOutline& outline);

// True when the box lies wholly inside the polygon. Otherwise `where` gets a box corner outside
// it, or the middle of the outline's piece that cuts into the box.
bool box_inside_polygon(const std::vector<Vec>& polygon, const Shape& box, Vec* where);
