// The check's picture: an SVG file of two views side by side, the top as seen from above and the
// bottom as seen from below, drawn to one scale. Every number goes through format_fixed, so the
// same board gives the same bytes everywhere, and the picture is never larger than a fixed
// number of pixels, whatever the board's size.
#include <algorithm>
#include <cmath>

#include "check/display_text.h"
#include "check/silk_check.h"
#include "transform/text_width.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kFitViewPx = 900;     // a view is at least this long, when texts allow it
constexpr double kMaxViewPx = 10000;   // and never longer than this
constexpr double kMinTextPx = 8;       // the smallest text's height, when the size allows it
constexpr double kMaxPxPerMm = 20;     // small boards are not blown up beyond this
constexpr double kMarginMm = 2;        // room around the board in each view
constexpr double kGapPx = 30;          // around and between the views
constexpr double kTitlePx = 50;        // title and view names above the views
constexpr double kLegendPx = 70;       // legend below them
constexpr size_t kMaxDrawnText = 256;  // characters of one text drawn

const char* const kBoard = "#123d24";
const char* const kEdge = "#e0d060";
const char* const kCopper = "#c8963c";
const char* const kSilk = "#f0f0f0";
const char* const kLine = "#a8b8a8";
const char* const kFinding = "#ff3030";
const char* const kMoved = "#ffd400";

std::string num(double v) {
  return format_fixed(v, 2);
}

struct View {
  Aabb extent;  // millimetres
  double scale = 1;
  double left = 0, top = 0;
  bool from_below = false;

  Vec at(Vec inches) const {
    const double x = inches.x * kMmPerInch, y = inches.y * kMmPerInch;
    const double vx = from_below ? extent.max_x - x : x - extent.min_x;
    return {left + vx * scale, top + (extent.max_y - y) * scale};
  }
  // A direction on the board as a direction in the view.
  Vec dir(Vec d) const { return {from_below ? -d.x : d.x, -d.y}; }
};

void grow(Aabb& e, Vec p) {
  e.min_x = std::min(e.min_x, p.x);
  e.min_y = std::min(e.min_y, p.y);
  e.max_x = std::max(e.max_x, p.x);
  e.max_y = std::max(e.max_y, p.y);
}

void grow(Aabb& e, const Shape& s) {
  const Aabb b = bounds(s);
  grow(e, Vec{b.min_x, b.min_y});
  grow(e, Vec{b.max_x, b.max_y});
}

std::string points(const View& v, const Vec* pts, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    const Vec p = v.at(pts[i]);
    if (i) out += ' ';
    out += num(p.x) + "," + num(p.y);
  }
  return out;
}

void draw_shape(std::string& out, const View& v, const Shape& s, const char* colour) {
  const double r = s.radius * kMmPerInch * v.scale;
  if (s.n == 1) {
    const Vec c = v.at(s.pts[0]);
    out += "<circle cx=\"" + num(c.x) + "\" cy=\"" + num(c.y) + "\" r=\"" + num(r) + "\" fill=\"" +
           colour + "\"/>\n";
  } else if (s.n == 2) {
    const Vec a = v.at(s.pts[0]), b = v.at(s.pts[1]);
    out += "<line x1=\"" + num(a.x) + "\" y1=\"" + num(a.y) + "\" x2=\"" + num(b.x) + "\" y2=\"" +
           num(b.y) + "\" stroke=\"" + colour + "\" stroke-width=\"" + num(2 * r) +
           "\" stroke-linecap=\"round\"/>\n";
  } else {
    // A rounded shape is its core drawn with a round-joined stroke of twice its radius.
    out += "<polygon points=\"" + points(v, s.pts.data(), static_cast<size_t>(s.n)) + "\" fill=\"" +
           colour + "\"";
    if (r > 0) {
      out += std::string(" stroke=\"") + colour + "\" stroke-width=\"" + num(2 * r) +
             "\" stroke-linejoin=\"round\"";
    }
    out += "/>\n";
  }
}

// The string inside its box, reading the way it reads on the board as seen in this view: the
// glyphs of a mirrored text read backwards from the far end of its box's baseline, wherever its
// anchor stands on that baseline.
void draw_text(std::string& out, const View& v, const SilkText& t, const char* colour) {
  const Vec along = unit_of_angle(t.angle);
  const Vec up{-along.y, along.x};
  const double w = text_width_estimate(*t.text) * t.height;
  const Vec start = t.mirrored ? t.box.pts[1] : t.box.pts[0];
  const Vec d = v.dir(t.mirrored ? Vec{-along.x, -along.y} : along);
  const Vec u = v.dir(up);
  const Vec p = v.at(start);
  out += "<polygon points=\"" + points(v, t.box.pts.data(), 4) + "\" fill=\"none\" stroke=\"" +
         colour + "\" stroke-width=\"0.5\"/>\n";
  const double h = t.height * kMmPerInch * v.scale;
  const double wl = w * kMmPerInch * v.scale;
  out += "<text transform=\"matrix(" + format_fixed(d.x, 4) + " " + format_fixed(d.y, 4) + " " +
         format_fixed(-u.x, 4) + " " + format_fixed(-u.y, 4) + " " + num(p.x) + " " + num(p.y) +
         ")\" font-size=\"" + num(h) + "\" fill=\"" + colour + "\"";
  if (wl > 0) out += " textLength=\"" + num(wl) + "\" lengthAdjust=\"spacingAndGlyphs\"";
  // Appended in pieces: ">" + a temporary string makes GCC 12 warn falsely (-Wrestrict).
  out += '>';
  out += picture_text(*t.text, kMaxDrawnText);
  out += "</text>\n";
}

void draw_mark(std::string& out, const View& v, Vec where) {
  const Vec c = v.at(where);
  out += "<circle cx=\"" + num(c.x) + "\" cy=\"" + num(c.y) + "\" r=\"4\" fill=\"none\" stroke=\"" +
         kFinding + "\" stroke-width=\"1.5\"/>\n";
}

Vec centre(const Shape& s) {
  Vec c;
  for (int i = 0; i < s.n; ++i) c = {c.x + s.pts[i].x / s.n, c.y + s.pts[i].y / s.n};
  return c;
}

void draw_view(std::string& out, const View& v, Side side, const SilkScene& scene,
               const std::vector<Finding>& findings, const std::vector<bool>& flagged,
               const std::vector<MovedText>& moved) {
  const double w = (v.extent.max_x - v.extent.min_x) * v.scale;
  const double h = (v.extent.max_y - v.extent.min_y) * v.scale;
  out += std::string("<g id=\"") + (side == Side::kTop ? "top" : "bottom") + "\">\n";
  out += "<rect x=\"" + num(v.left) + "\" y=\"" + num(v.top) + "\" width=\"" + num(w) +
         "\" height=\"" + num(h) + "\" fill=\"#202020\"/>\n";
  if (!scene.outline.empty()) {
    out += "<polygon points=\"" + points(v, scene.outline.data(), scene.outline.size()) +
           "\" fill=\"" + kBoard + "\" stroke=\"" + kEdge + "\" stroke-width=\"1\"/>\n";
  }
  for (const SilkPad& p : scene.pads)
    if (p.side == side) draw_shape(out, v, p.shape, kCopper);
  for (const SilkLine& l : scene.lines) {
    if (l.side != side || l.pts.empty()) continue;
    out += std::string("<") + (l.closed ? "polygon" : "polyline") + " points=\"" +
           points(v, l.pts.data(), l.pts.size()) + "\" fill=\"none\" stroke=\"" + kLine +
           "\" stroke-width=\"" + num(std::max(0.5, l.width * kMmPerInch * v.scale)) + "\"/>\n";
  }
  for (const MovedText& m : moved) {
    const SilkText& t = scene.texts[static_cast<size_t>(m.text)];
    if (t.side != side) continue;
    const Vec a = v.at(centre(m.old_box)), b = v.at(centre(t.box));
    out += "<polygon points=\"" + points(v, m.old_box.pts.data(), 4) +
           "\" fill=\"none\" stroke=\"#909090\" stroke-width=\"0.5\" stroke-dasharray=\"2,2\"/>\n";
    out += "<line x1=\"" + num(a.x) + "\" y1=\"" + num(a.y) + "\" x2=\"" + num(b.x) + "\" y2=\"" +
           num(b.y) + "\" stroke=\"" + kMoved + "\" stroke-width=\"0.75\"/>\n";
  }
  for (size_t i = 0; i < scene.texts.size(); ++i) {
    const SilkText& t = scene.texts[i];
    if (t.side == side) draw_text(out, v, t, flagged[i] ? kFinding : kSilk);
  }
  for (const Finding& f : findings)
    if (scene.texts[static_cast<size_t>(f.text)].side == side) draw_mark(out, v, f.point);
  out += "</g>\n";
}

void legend_item(std::string& out, double x, double y, const std::string& swatch,
                 const char* label) {
  out += swatch;
  out += "<text x=\"" + num(x + 22) + "\" y=\"" + num(y + 10) +
         "\" font-size=\"12\" fill=\"#202020\">" + label + "</text>\n";
}

}  // namespace

std::string check_picture(const Board& board, const SilkScene& scene,
                          const std::vector<Finding>& findings, const std::vector<MovedText>& moved,
                          const std::string& title) {
  (void)board;
  Aabb e{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (Vec p : scene.outline) grow(e, p);
  for (const SilkText& t : scene.texts) grow(e, t.box);
  for (const SilkPad& p : scene.pads) grow(e, p.shape);
  for (const SilkLine& l : scene.lines)
    for (Vec p : l.pts) grow(e, p);
  for (const MovedText& m : moved) grow(e, m.old_box);
  if (!(e.min_x <= e.max_x)) e = Aabb{0, 0, 0, 0};
  Aabb mm{e.min_x * kMmPerInch - kMarginMm, e.min_y * kMmPerInch - kMarginMm,
          e.max_x * kMmPerInch + kMarginMm, e.max_y * kMmPerInch + kMarginMm};
  const double span = std::max(mm.max_x - mm.min_x, mm.max_y - mm.min_y);
  // Big enough that the smallest text can be read, yet bounded whatever the board holds.
  double smallest = INFINITY;
  for (const SilkText& t : scene.texts) smallest = std::min(smallest, t.height * kMmPerInch);
  const double readable = std::min(kMaxPxPerMm, kMinTextPx / smallest);
  const double scale =
      std::min(std::max(std::min(kMaxPxPerMm, kFitViewPx / span), readable), kMaxViewPx / span);
  const double vw = (mm.max_x - mm.min_x) * scale, vh = (mm.max_y - mm.min_y) * scale;
  // Never narrower than the legend.
  const double width = std::max(3 * kGapPx + 2 * vw, 980.0);
  const double height = kTitlePx + vh + kLegendPx;

  std::vector<bool> flagged(scene.texts.size(), false);
  for (const Finding& f : findings) {
    flagged[static_cast<size_t>(f.text)] = true;
    if (f.kind == FindingKind::kText) flagged[static_cast<size_t>(f.other)] = true;
  }

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(width) + "\" height=\"" +
         num(height) + "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
         "\" font-family=\"DejaVu Sans, sans-serif\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  out += "<text x=\"" + num(kGapPx) + "\" y=\"22\" font-size=\"16\" fill=\"#202020\">" +
         picture_text("Silkscreen check of " + title, kMaxDrawnText) + ": " +
         std::to_string(findings.size()) + " finding" + (findings.size() == 1 ? "" : "s") +
         "</text>\n";
  View top{mm, scale, kGapPx, kTitlePx, false};
  View bottom{mm, scale, 2 * kGapPx + vw, kTitlePx, true};
  out += "<text x=\"" + num(top.left) + "\" y=\"" + num(kTitlePx - 8) +
         "\" font-size=\"13\" fill=\"#202020\">Top, seen from above</text>\n";
  out += "<text x=\"" + num(bottom.left) + "\" y=\"" + num(kTitlePx - 8) +
         "\" font-size=\"13\" fill=\"#202020\">Bottom, seen from below (mirrored)</text>\n";
  draw_view(out, top, Side::kTop, scene, findings, flagged, moved);
  draw_view(out, bottom, Side::kBottom, scene, findings, flagged, moved);

  // The legend, one swatch per kind of thing drawn.
  const double y = kTitlePx + vh + 20;
  double x = kGapPx;
  legend_item(out, x, y,
              "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"16\" height=\"12\" fill=\"" +
                  kBoard + "\" stroke=\"" + kEdge + "\"/>\n",
              "board outline");
  x += 130;
  legend_item(out, x, y,
              "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"16\" height=\"12\" fill=\"" +
                  kCopper + "\"/>\n",
              "copper pad");
  x += 120;
  legend_item(out, x, y,
              "<line x1=\"" + num(x) + "\" y1=\"" + num(y + 6) + "\" x2=\"" + num(x + 16) +
                  "\" y2=\"" + num(y + 6) + "\" stroke=\"" + kLine + "\" stroke-width=\"2\"/>\n",
              "footprint outline");
  x += 150;
  legend_item(out, x, y,
              "<rect x=\"" + num(x) + "\" y=\"" + num(y) +
                  "\" width=\"16\" height=\"12\" fill=\"#202020\" stroke=\"" + kSilk + "\"/>\n",
              "silkscreen text");
  x += 140;
  legend_item(out, x, y,
              "<rect x=\"" + num(x) + "\" y=\"" + num(y) +
                  "\" width=\"16\" height=\"12\" fill=\"none\" stroke=\"" + kFinding + "\"/>\n",
              "text with a finding");
  x += 160;
  legend_item(out, x, y,
              "<circle cx=\"" + num(x + 8) + "\" cy=\"" + num(y + 6) +
                  "\" r=\"4\" fill=\"none\" stroke=\"" + kFinding + "\" stroke-width=\"1.5\"/>\n",
              "overlap");
  if (!moved.empty()) {
    x += 100;
    legend_item(out, x, y,
                "<line x1=\"" + num(x) + "\" y1=\"" + num(y + 6) + "\" x2=\"" + num(x + 16) +
                    "\" y2=\"" + num(y + 6) + "\" stroke=\"" + kMoved + "\" stroke-width=\"2\"/>\n",
                "moved designator");
  }
  out += "</svg>\n";
  return out;
}
