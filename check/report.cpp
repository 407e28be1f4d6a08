// The check's lines on the console. Numbers are printed by std::to_chars, which gives the same
// digits on every system, so the same board always gives the same bytes.
#include <charconv>
#include <cmath>

#include "check/display_text.h"
#include "check/silk_check.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMilPerInch = 1000.0;
// Names longer than this are cut in reports: a text of thousands of characters stays one line.
constexpr size_t kMaxNameLength = 40;

const char* side_name(Side side) {
  return side == Side::kTop ? "top" : "bottom";
}

const char* plural(int n) {
  return n == 1 ? "" : "s";
}

}  // namespace

std::string format_fixed(double value, int decimals) {
  if (!std::isfinite(value)) return "?";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "?";
  std::string s(buf, r.ptr);
  // A value that rounds to zero prints without its sign.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string format_mm(Vec p) {
  return format_fixed(p.x * kMmPerInch, 2) + ", " + format_fixed(p.y * kMmPerInch, 2) + " mm";
}

std::string text_name(const Board& board, const SilkScene& scene, int text) {
  const SilkText& t = scene.texts[static_cast<size_t>(text)];
  (void)board;
  if (t.designator) return report_text(*t.text, kMaxNameLength);
  return "text \"" + report_text(*t.text, kMaxNameLength) + "\"";
}

std::string pad_name(const Board& board, const SilkPad& pad) {
  const Part& part = board.parts[static_cast<size_t>(pad.part)];
  const Footprint& fp = board.footprints[static_cast<size_t>(part.footprint_index)];
  return report_text(part.name, kMaxNameLength) + "." +
         report_text(fp.pins[static_cast<size_t>(pad.pin)].name, kMaxNameLength);
}

std::string check_report(const Board& board, const SilkScene& scene,
                         const std::vector<Finding>& findings) {
  std::string out;
  // The board's own unit as well when it is mils.
  const bool mils = board.options.units == 2;
  int counts[3] = {0, 0, 0};
  for (const Finding& f : findings) {
    const SilkText& t = scene.texts[static_cast<size_t>(f.text)];
    ++counts[static_cast<int>(f.kind)];
    out += "    " + text_name(board, scene, f.text);
    switch (f.kind) {
      case FindingKind::kPad:
        out += " overlaps pad " + pad_name(board, scene.pads[static_cast<size_t>(f.other)]);
        break;
      case FindingKind::kText:
        out += " overlaps " + text_name(board, scene, f.other);
        break;
      case FindingKind::kEdge:
        out += " is off the board";
        break;
    }
    out += " on ";
    out += side_name(t.side);
    out += " at " + format_mm(f.point);
    if (mils) {
      out += " (" + format_fixed(f.point.x * kMilPerInch, 1) + ", " +
             format_fixed(f.point.y * kMilPerInch, 1) + " mil)";
    }
    out += "\n";
  }
  if (findings.empty()) {
    out += "    Silkscreen check: no collisions\n\n";
  } else {
    out += "    Silkscreen check: " + std::to_string(counts[0]) + " on pads, " +
           std::to_string(counts[1]) + " text overlap" + plural(counts[1]) + ", " +
           std::to_string(counts[2]) + " off the board\n\n";
  }
  return out;
}
