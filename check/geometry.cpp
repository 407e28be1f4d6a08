#include "check/geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Shapes closer than this (about 0.03 nm) touch rather than overlap: boxes that share an edge
// are apart, whatever rounding the turns left behind.
constexpr double kEps = 1e-9;
constexpr double kPi = 3.14159265358979323846;
// The outline's arcs are drawn in chords that stay within 1 µm of the true arc (inches)...
constexpr double kArcTolerance = 1e-3 / 25.4;
// ...with at most this many chords for one arc (enough for that up to radii of 3.4 m)...
constexpr double kMaxChordsPerArc = 1024;
// ...and this many points for all arcs of one outline together, so that an outline of millions of
// arcs stays as small as its corners: beyond it, every arc gets proportionally fewer chords.
constexpr double kMaxArcPoints = 65536;

Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k) {
  return {a.x * k, a.y * k};
}
double dot(Vec a, Vec b) {
  return a.x * b.x + a.y * b.y;
}
double cross(Vec a, Vec b) {
  return a.x * b.y - a.y * b.x;
}
double length(Vec a) {
  return std::sqrt(dot(a, a));
}

// The sign of a polygon's winding: +1 counter-clockwise, -1 clockwise, 0 without area.
int winding(const Vec* pts, int n) {
  double area = 0;
  for (int i = 0; i < n; ++i) area += cross(pts[i], pts[(i + 1) % n]);
  if (area > 0) return 1;
  if (area < 0) return -1;
  return 0;
}

// Inside or on the edge of a convex core of three or more corners.
bool inside_convex(const Shape& s, Vec p) {
  const int sign = winding(s.pts.data(), s.n);
  if (sign == 0) return false;
  for (int i = 0; i < s.n; ++i) {
    const Vec a = s.pts[i];
    const Vec b = s.pts[(i + 1) % s.n];
    if (cross(b - a, p - a) * sign < 0) return false;
  }
  return true;
}

// Distance between segments ab and cd, with the two nearest points.
double segment_distance(Vec a, Vec b, Vec c, Vec d, Vec& pa, Vec& pc) {
  const Vec u = b - a;
  const Vec v = d - c;
  const Vec w = a - c;
  const double uu = dot(u, u), uv = dot(u, v), vv = dot(v, v), uw = dot(u, w), vw = dot(v, w);
  double s = 0, t = 0;
  if (uu <= 0 && vv <= 0) {
    // Two points.
  } else if (uu <= 0) {
    t = std::clamp(vw / vv, 0.0, 1.0);
  } else if (vv <= 0) {
    s = std::clamp(-uw / uu, 0.0, 1.0);
  } else {
    // Parallel segments have no single nearest pair: any s will do, the clamps below find t.
    const double den = uu * vv - uv * uv;
    if (den > 0) s = std::clamp((uv * vw - vv * uw) / den, 0.0, 1.0);
    t = (uv * s + vw) / vv;
    if (t < 0 || t > 1) {
      t = std::clamp(t, 0.0, 1.0);
      s = std::clamp((uv * t - uw) / uu, 0.0, 1.0);
    }
  }
  pa = a + u * s;
  pc = c + v * t;
  return length(pa - pc);
}

// The edges of a core: a point is one edge of no length, a segment one edge.
int edge_count(const Shape& s) {
  return s.n <= 2 ? 1 : s.n;
}
void edge(const Shape& s, int i, Vec& a, Vec& b) {
  a = s.pts[i];
  b = s.n == 1 ? s.pts[0] : s.pts[(i + 1) % s.n];
}

// Distance between the cores (0 when they meet or cross), with the nearest points.
double core_distance(const Shape& a, const Shape& b, Vec& pa, Vec& pb) {
  if (a.n >= 3) {
    for (int i = 0; i < b.n; ++i) {
      if (inside_convex(a, b.pts[i])) {
        pa = pb = b.pts[i];
        return 0;
      }
    }
  }
  if (b.n >= 3) {
    for (int i = 0; i < a.n; ++i) {
      if (inside_convex(b, a.pts[i])) {
        pa = pb = a.pts[i];
        return 0;
      }
    }
  }
  double best = INFINITY;
  for (int i = 0; i < edge_count(a); ++i) {
    Vec a0, a1;
    edge(a, i, a0, a1);
    for (int j = 0; j < edge_count(b); ++j) {
      Vec b0, b1, qa, qb;
      edge(b, j, b0, b1);
      const double d = segment_distance(a0, a1, b0, b1, qa, qb);
      if (d < best) {
        best = d;
        pa = qa;
        pb = qb;
      }
    }
  }
  return best;
}

// How deep two convex polygons reach into each other (negative when apart), over the edge
// normals of both.
double penetration(const Shape& a, const Shape& b) {
  double depth = INFINITY;
  for (const Shape* s : {&a, &b}) {
    for (int i = 0; i < s->n; ++i) {
      const Vec e = s->pts[(i + 1) % s->n] - s->pts[i];
      const double len = length(e);
      if (!(len > 0)) continue;
      const Vec axis{-e.y / len, e.x / len};
      double a_min = INFINITY, a_max = -INFINITY, b_min = INFINITY, b_max = -INFINITY;
      for (int k = 0; k < a.n; ++k) {
        const double p = dot(a.pts[k], axis);
        a_min = std::min(a_min, p);
        a_max = std::max(a_max, p);
      }
      for (int k = 0; k < b.n; ++k) {
        const double p = dot(b.pts[k], axis);
        b_min = std::min(b_min, p);
        b_max = std::max(b_max, p);
      }
      depth = std::min(depth, std::min(a_max, b_max) - std::max(a_min, b_min));
    }
  }
  return depth;
}

// A point inside where two meeting cores cross: the mean of the corners of each inside the
// other and of the points where their edges cross.
Vec crossing_centre(const Shape& a, const Shape& b, Vec fallback) {
  Vec sum;
  int count = 0;
  const auto add = [&](Vec p) {
    sum = sum + p;
    ++count;
  };
  if (b.n >= 3) {
    for (int i = 0; i < a.n; ++i)
      if (inside_convex(b, a.pts[i])) add(a.pts[i]);
  }
  if (a.n >= 3) {
    for (int i = 0; i < b.n; ++i)
      if (inside_convex(a, b.pts[i])) add(b.pts[i]);
  }
  for (int i = 0; i < edge_count(a); ++i) {
    Vec a0, a1;
    edge(a, i, a0, a1);
    for (int j = 0; j < edge_count(b); ++j) {
      Vec b0, b1;
      edge(b, j, b0, b1);
      const Vec r = a1 - a0, s = b1 - b0;
      const double den = cross(r, s);
      if (den == 0) continue;
      const double t = cross(b0 - a0, s) / den;
      const double u = cross(b0 - a0, r) / den;
      if (t >= 0 && t <= 1 && u >= 0 && u <= 1) add(a0 + r * t);
    }
  }
  return count > 0 ? sum * (1.0 / count) : fallback;
}

bool point_in_polygon(const std::vector<Vec>& poly, Vec p) {
  bool inside = false;
  const size_t n = poly.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Vec a = poly[i], b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

// The part of segment pq strictly inside the convex box, as its middle; false when none is.
bool segment_into_box(Vec p, Vec q, const Shape& box, Vec& middle) {
  const int sign = winding(box.pts.data(), box.n);
  if (sign == 0) return false;
  const Vec d = q - p;
  double t0 = 0, t1 = 1;
  for (int i = 0; i < box.n; ++i) {
    const Vec a = box.pts[i];
    const Vec e = box.pts[(i + 1) % box.n] - a;
    const Vec inward = Vec{-e.y, e.x} * sign;
    const double start = dot(inward, p - a);
    const double rate = dot(inward, d);
    if (rate == 0) {
      if (start <= 0) return false;
      continue;
    }
    const double t = -start / rate;
    if (rate > 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 >= t1) return false;
  }
  middle = p + d * ((t0 + t1) / 2);
  // A piece along an edge of the box is not inside it.
  for (int i = 0; i < box.n; ++i) {
    const Vec a = box.pts[i];
    const Vec e = box.pts[(i + 1) % box.n] - a;
    const double len = length(e);
    if (len > 0 && cross(e, middle - a) * sign / len <= kEps) return false;
  }
  return true;
}

}  // namespace

Vec unit_of_angle(uint32_t degrees) {
  switch (degrees % 360u) {
    case 0:
      return {1, 0};
    case 90:
      return {0, 1};
    case 180:
      return {-1, 0};
    case 270:
      return {0, -1};
    default: {
      const double r = static_cast<double>(degrees % 360u) * kPi / 180.0;
      return {std::cos(r), std::sin(r)};
    }
  }
}

Shape text_box(Vec anchor, uint32_t angle, double width, double height, bool runs_back) {
  const Vec along = unit_of_angle(angle);
  const Vec up{-along.y, along.x};
  const Vec start = runs_back ? anchor - along * width : anchor;
  const Vec end = runs_back ? anchor : anchor + along * width;
  Shape s;
  s.n = 4;
  s.pts[0] = start;
  s.pts[1] = end;
  s.pts[2] = end + up * height;
  s.pts[3] = start + up * height;
  return s;
}

Vec Placement::point(Vec fp) const {
  const Vec v{mirrored ? -fp.x : fp.x, fp.y};
  return {pos.x + turn.x * v.x - turn.y * v.y, pos.y + turn.y * v.x + turn.x * v.y};
}

Placement placement_of(const Part& part) {
  Placement p;
  p.pos = {part.pos_x, part.pos_y};
  p.turn = unit_of_angle(part.angle);
  p.mirrored = part.side == 1;
  return p;
}

bool pad_shape(const PadSpec& pad, const FootprintPin& pin, const Placement& where, Shape& out) {
  const double w = pad.width, l1 = pad.len1, l2 = pad.len2;
  if (!(w >= 0) || !std::isfinite(w)) return false;
  const Vec dir = unit_of_angle(pin.angle);
  // A point in the pad's own frame (along the pin, across it) on the board.
  const auto at = [&](double along, double across) {
    return where.point(
        {pin.x + dir.x * along - dir.y * across, pin.y + dir.y * along + dir.x * across});
  };
  const auto rectangle = [&](double back, double ahead, double half) {
    out.n = 4;
    out.pts[0] = at(-back, -half);
    out.pts[1] = at(ahead, -half);
    out.pts[2] = at(ahead, half);
    out.pts[3] = at(-back, half);
  };
  out = Shape{};
  switch (pad.shape) {
    case 1:  // round
      out.n = 1;
      out.pts[0] = at(0, 0);
      out.radius = w / 2;
      return w > 0;
    case 2:  // square
      rectangle(w / 2, w / 2, w / 2);
      return w > 0;
    case 3:  // rectangle
      if (!(l1 + l2 > 0)) return false;
      rectangle(l2, l1, w / 2);
      return w > 0;
    case 4: {  // rounded rectangle: a smaller rectangle grown by the corner radius
      if (!(l1 + l2 > 0) || !(w > 0)) return false;
      const double r = std::clamp(pad.radius, 0.0, std::min(w, l1 + l2) / 2);
      rectangle(l2 - r, l1 - r, w / 2 - r);
      out.radius = r;
      return true;
    }
    case 5: {  // oval: a segment grown by half the narrow side
      const double len = l1 + l2;
      if (!(len > 0) || !(w > 0)) return false;
      out.n = 2;
      if (len >= w) {
        out.pts[0] = at(-l2 + w / 2, 0);
        out.pts[1] = at(l1 - w / 2, 0);
        out.radius = w / 2;
      } else {
        const double mid = (l1 - l2) / 2;
        out.pts[0] = at(mid, -(w - len) / 2);
        out.pts[1] = at(mid, (w - len) / 2);
        out.radius = len / 2;
      }
      return true;
    }
    case 6: {  // octagon, width across the flats
      if (!(w > 0)) return false;
      const double corner = w / 2 / std::cos(kPi / 8);
      out.n = 8;
      for (int k = 0; k < 8; ++k) {
        const double a = kPi / 8 + k * kPi / 4;
        out.pts[static_cast<size_t>(k)] = at(corner * std::cos(a), corner * std::sin(a));
      }
      return true;
    }
    default:
      return false;
  }
}

Shape hole_shape(const FootprintPin& pin, const Placement& where) {
  Shape s;
  s.n = 1;
  s.pts[0] = where.point({pin.x, pin.y});
  s.radius = pin.hole / 2;
  return s;
}

Aabb bounds(const Shape& s) {
  Aabb b{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (int i = 0; i < s.n; ++i) {
    b.min_x = std::min(b.min_x, s.pts[i].x);
    b.max_x = std::max(b.max_x, s.pts[i].x);
    b.min_y = std::min(b.min_y, s.pts[i].y);
    b.max_y = std::max(b.max_y, s.pts[i].y);
  }
  b.min_x -= s.radius;
  b.min_y -= s.radius;
  b.max_x += s.radius;
  b.max_y += s.radius;
  return b;
}

bool shapes_overlap(const Shape& a, const Shape& b, Vec* where) {
  Vec pa, pb;
  const double d = core_distance(a, b, pa, pb);
  const double r = a.radius + b.radius;
  if (d > 0) {
    if (!(d < r - kEps)) return false;
    // Along the line between the nearest points, the middle of the stretch both cover.
    if (where) *where = pa + (pb - pa) * ((d - b.radius + a.radius) / 2 / d);
    return true;
  }
  if (r <= kEps) {
    if (a.n < 3 || b.n < 3 || !(penetration(a, b) > kEps)) return false;
  }
  if (where) *where = crossing_centre(a, b, pa);
  return true;
}

bool shapes_within(const Shape& a, const Shape& b, double gap) {
  Vec pa, pb;
  const double d = core_distance(a, b, pa, pb);
  return d < a.radius + b.radius + gap - kEps;
}

namespace {

// A side of the outline that is a quarter ellipse: from `start`, about `centre`, with semi-axes
// rx and ry, through a quarter turn counter-clockwise or clockwise.
struct OutlineArc {
  Vec centre;
  double rx = 0, ry = 0, start = 0, sweep = 0;
};

// Whether the side from `c` to `next` is an arc (corner styles 1 and 2 with the end points apart
// in x and y), and which.
bool outline_arc(const OutlineCorner& c, const OutlineCorner& next, OutlineArc& arc) {
  const Vec p1{c.x, c.y}, p2{next.x, next.y};
  if ((c.style != 1 && c.style != 2) || p1.x == p2.x || p1.y == p2.y) return false;
  // A quarter ellipse about the corner of the two points' box that makes it turn the stated
  // way: 2 counter-clockwise, 1 clockwise.
  arc.centre = {p1.x, p2.y};
  const bool ccw = c.style == 2;
  if ((cross(p1 - arc.centre, p2 - arc.centre) > 0) != ccw) arc.centre = {p2.x, p1.y};
  arc.rx = std::fabs(p2.x - p1.x);
  arc.ry = std::fabs(p2.y - p1.y);
  arc.start = std::atan2((p1.y - arc.centre.y) / arc.ry, (p1.x - arc.centre.x) / arc.rx);
  arc.sweep = ccw ? kPi / 2 : -kPi / 2;
  return true;
}

// Chords for an arc to stay within the tolerance: the chord over a step dt of the ellipse's
// angle stays within max(rx, ry) * dt^2 / 8 of it.
double chords_wanted(const OutlineArc& arc) {
  const double steps = kPi / 2 * std::sqrt(std::max(arc.rx, arc.ry) / (8 * kArcTolerance));
  return std::clamp(std::ceil(steps), 1.0, kMaxChordsPerArc);
}

}  // namespace

std::vector<Vec> outline_polygon(const BoardOutline& outline) {
  std::vector<Vec> poly;
  const size_t n = outline.corners.size();
  if (n < 3) return poly;
  for (const OutlineCorner& c : outline.corners)
    if (!std::isfinite(c.x) || !std::isfinite(c.y)) return poly;
  double points_wanted = 0;
  for (size_t i = 0; i < n; ++i) {
    OutlineArc arc;
    if (outline_arc(outline.corners[i], outline.corners[(i + 1) % n], arc))
      points_wanted += chords_wanted(arc) - 1;
  }
  const double share = points_wanted > kMaxArcPoints ? kMaxArcPoints / points_wanted : 1;
  for (size_t i = 0; i < n; ++i) {
    const OutlineCorner& c = outline.corners[i];
    poly.push_back({c.x, c.y});
    OutlineArc arc;
    if (!outline_arc(c, outline.corners[(i + 1) % n], arc)) continue;
    const int chords = static_cast<int>(std::max(1.0, std::floor(chords_wanted(arc) * share)));
    for (int k = 1; k < chords; ++k) {
      const double a = arc.start + arc.sweep * k / chords;
      poly.push_back({arc.centre.x + arc.rx * std::cos(a), arc.centre.y + arc.ry * std::sin(a)});
    }
  }
  return poly;
}

bool box_inside_polygon(const std::vector<Vec>& polygon, const Shape& box, Vec* where) {
  for (int i = 0; i < box.n; ++i) {
    if (!point_in_polygon(polygon, box.pts[i])) {
      if (where) *where = box.pts[i];
      return false;
    }
  }
  // All corners inside, yet a notch of the outline may reach into the box.
  for (size_t i = 0; i < polygon.size(); ++i) {
    Vec middle;
    if (segment_into_box(polygon[i], polygon[(i + 1) % polygon.size()], box, middle)) {
      if (where) *where = middle;
      return false;
    }
  }
  return true;
}
