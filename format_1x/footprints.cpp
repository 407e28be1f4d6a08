// The [footprints] section: the board's library of footprints.
//
//   name: "<name>"                     author: / source: / description: "<text>"
//   units: MIL | NM
//   sel_rect: x1 y1 x2 y2
//   ref_text: / value_text: height x y angle stroke_width
//   centroid: code x y [angle]
//   adhesive: code width x y
//   text: "<text>" height x y angle stroke_width aux1 aux2
//   outline_polyline: width x y, then next_corner: x y style lines, maybe a close_polyline: style
//   n_pins: n, then the pin block (pins.cpp)
//
// A block begins with its "name:" line and ends at the first blank line. Lengths are mils in a
// MIL footprint and nanometres otherwise; every record is converted with the unit in force when
// it is read. Angles are held in the opposite sense to the file, except the centroid's.
#include "format_1x/footprints.h"

#include <cstring>

#include "format_1x/pins.h"
#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"

namespace {

constexpr const char kOwnHeader[] = "[footprints]";

// The fields of a record, scanned from just after its keyword.
const char* fields(const char* line, const char* keyword) {
  return text_at(line, std::strlen(keyword));
}

// Reads an outline polyline and its corner lines, `line` being its "outline_polyline:" line.
// The corner lines are counted first and then read again, so the corner list is sized by the
// lines actually present.
void read_polyline(LineReader& in, Footprint& fp, const char* line, double unit_factor) {
  const char* name = fp.name.c_str();
  FootprintPolyline& poly = fp.polylines.emplace_back();
  const int n =
      scan_values(fields(line, "outline_polyline:"), "%lf %lf %lf", &poly.width, &poly.x, &poly.y);
  if (n != 3) {
    fatal_missing(Err::polyline_header_short, 3, n, name);
  }
  poly.width *= unit_factor;
  poly.x *= unit_factor;
  poly.y *= unit_factor;

  const LineReader::Mark start = in.tell();
  uint32_t count = 0;
  for (;;) {
    const char* raw = in.read_line();
    if (raw == nullptr) fatal_error(Err::polyline_count_eof, name);
    const char* corner = skip_blanks(raw);
    if (starts_with(corner, "close_polyline")) poly.closed = 1;
    if (starts_with(corner, "next_corner") || starts_with(corner, "close_polyline")) {
      ++count;
      continue;
    }
    if (count > 0) break;
    fatal_error(Err::polyline_degenerate, name, static_cast<uint32_t>(fp.polylines.size()));
  }
  in.seek(start);

  // The count was made over lines that exist, so it may size the list.
  poly.corners.reserve(count);
  for (uint32_t k = 0; k < count; ++k) {
    const char* raw = in.read_line();
    if (raw == nullptr) {
      fatal_error(Err::polyline_read_eof, name);
    }
    const char* corner = skip_blanks(raw);
    if (starts_with(corner, "next_corner:")) {
      PolylineCorner c;
      const int got =
          scan_values(fields(corner, "next_corner:"), "%lf %lf %u", &c.x, &c.y, &c.style);
      if (got != 3) {
        fatal_missing(Err::polyline_corner_short, 3, got, name);
      }
      c.x *= unit_factor;
      c.y *= unit_factor;
      poly.corners.push_back(c);
    } else if (starts_with(corner, "close_polyline:") && k == count - 1) {
      if (scan_values(fields(corner, "close_polyline:"), "%u", &poly.close_style) != 1) {
        fatal_error(Err::polyline_close_short, name);
      }
    } else {
      fatal_error(Err::polyline_scan, name);
    }
  }
}

// Scans a ref_text or value_text record into `t`; returns how many values were converted (the
// placement is converted only when all five were).
int read_text_placement(TextPlacement& t, const char* at, double unit_factor) {
  const int n =
      scan_values(at, "%lf %lf %lf %u %lf", &t.height, &t.x, &t.y, &t.angle, &t.stroke_width);
  if (n != 5) return n;
  t.height *= unit_factor;
  t.x *= unit_factor;
  t.y *= unit_factor;
  t.stroke_width *= unit_factor;
  t.angle = flip_angle(t.angle);
  return n;
}

// An author, source or description text. The editor keeps a line break typed into such a text:
// the record then opens its quote on one line and closes it on the next, alone at that line's
// end. Only that form is joined; in every other case the next line is a line of its own.
void read_header_text(LineReader& in, std::string& text, const char* line) {
  if (extract_quoted(text, line) >= 0 || std::strchr(line, '"') == nullptr) return;
  const char* next = in.read_line();
  if (next == nullptr) return;
  const char* quote = std::strchr(next, '"');
  if (quote == nullptr || *skip_blanks(quote + 1) != '\0') {
    in.push_back_line();
    return;
  }
  text += '\n';
  text.append(next, static_cast<size_t>(quote - next));
}

}  // namespace

bool read_footprint(LineReader& in, Footprint& fp) {
  // Lengths met before any units record are taken as nanometres: such a footprint is written
  // back in nanometres, so its numbers come back as they were.
  double unit_factor = kNmToInch;
  for (;;) {
    const char* raw = in.read_line();
    if (raw == nullptr) return false;
    const char* line = skip_blanks(raw);
    if (*line == '\0') return true;
    const char* name = fp.name.c_str();

    if (starts_with(line, "name:")) {
      extract_quoted(fp.name, line);
    } else if (starts_with(line, "author:")) {
      read_header_text(in, fp.author, line);
    } else if (starts_with(line, "source:")) {
      read_header_text(in, fp.source, line);
    } else if (starts_with(line, "description:")) {
      read_header_text(in, fp.description, line);
    } else if (starts_with(line, "units:")) {
      if (std::strstr(line, "MIL") != nullptr) {
        fp.units = 2;
        unit_factor = kMilToInch;
      } else if (std::strstr(line, "NM") != nullptr) {
        fp.units = 1;
        unit_factor = kNmToInch;
      } else {
        fatal_error(Err::footprint_units_unknown, line, name);
      }
    } else if (starts_with(line, "sel_rect:")) {
      double* r = fp.sel_rect;
      const int n =
          scan_values(fields(line, "sel_rect:"), "%lf %lf %lf %lf", &r[0], &r[1], &r[2], &r[3]);
      if (n != 4) {
        fatal_missing(Err::footprint_sel_rect_short, 4, n, name);
      }
      if (r[0] > r[2] || r[1] > r[3]) {
        fatal_error(Err::footprint_sel_rect_inverted, name);
      }
      for (int i = 0; i < 4; ++i) r[i] *= unit_factor;
    } else if (starts_with(line, "ref_text:")) {
      const int n = read_text_placement(fp.ref_text, fields(line, "ref_text:"), unit_factor);
      if (n != 5) {
        fatal_missing(Err::footprint_ref_text_short, 5, n, name);
      }
    } else if (starts_with(line, "value_text:")) {
      if (read_text_placement(fp.value_text, fields(line, "value_text:"), unit_factor) != 5) {
        fatal_error(Err::footprint_value_text_bad);
      }
      fp.has_value_text = 1;
    } else if (starts_with(line, "centroid:")) {
      Centroid& c = fp.centroid;
      c.angle = 0;
      if (scan_values(fields(line, "centroid:"), "%u %lf %lf %u", &c.code, &c.x, &c.y, &c.angle) <
          3) {
        fatal_error(Err::footprint_centroid_bad);
      }
      c.x *= unit_factor;
      c.y *= unit_factor;
      fp.has_centroid = 1;
    } else if (starts_with(line, "adhesive:")) {
      Adhesive& a = fp.adhesives.emplace_back();
      if (scan_values(fields(line, "adhesive:"), "%u %lf %lf %lf", &a.code, &a.width, &a.x, &a.y) <
          4) {
        fatal_error(Err::footprint_adhesive_bad);
      }
      a.width *= unit_factor;
      a.x *= unit_factor;
      a.y *= unit_factor;
    } else if (starts_with(line, "text:")) {
      FootprintText& t = fp.fp_texts.emplace_back();
      extract_quoted(t.text, line);
      if (std::strchr(line, '"') == nullptr) {
        fatal_error(Err::footprint_text_unquoted, name);
      }
      const int n = scan_values(after_last_quote(line), "%lf %lf %lf %u %lf %u %u", &t.height, &t.x,
                                &t.y, &t.angle, &t.stroke_width, &t.aux1, &t.aux2);
      if (n != 7) {
        fatal_missing(Err::footprint_text_short, 7, n, name);
      }
      t.height *= unit_factor;
      t.x *= unit_factor;
      t.y *= unit_factor;
      t.stroke_width *= unit_factor;
      t.angle = flip_angle(t.angle);
    } else if (starts_with(line, "outline_polyline:")) {
      read_polyline(in, fp, line, unit_factor);
    } else if (starts_with(line, "n_pins:")) {
      read_pin_block(in, fp, line, unit_factor);
    }
    // Any other line of the block is passed over.
  }
}

void read_footprints(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, kOwnHeader, Err::footprints_header_missing);
  // The section may be the last thing in the file: running out of lines while counting just
  // ends the count.
  const uint32_t count = count_section_records(in, kOwnHeader, "name:");
  board.footprints.clear();
  board.footprints.reserve(count);  // counted over lines that exist
  for (uint32_t i = 0; i < count; ++i) {
    for (;;) {
      const char* raw = in.read_line();
      if (raw == nullptr) fatal_error(Err::footprint_missed);
      const char* line = skip_blanks(raw);
      if (is_other_header(line, kOwnHeader)) fatal_error(Err::footprint_missed);
      if (starts_with(line, "name:")) break;
    }
    in.push_back_line();
    if (!read_footprint(in, board.footprints.emplace_back())) {
      fatal_error(Err::footprints_eof);
    }
  }
}

void write_footprint(Output& out, const Footprint& fp) {
  const double f = fp.units == 2 ? kInchToMil : kInchToNm;
  out.print("\nname: \"%s\"\n", fp.name.c_str());
  if (!fp.author.empty()) out.print("author: \"%s\"\n", fp.author.c_str());
  if (!fp.source.empty()) out.print("source: \"%s\"\n", fp.source.c_str());
  if (!fp.description.empty()) out.print("description: \"%s\"\n", fp.description.c_str());
  out.print("  units: %s\n", fp.units == 2 ? "MIL" : "NM");
  out.print("  sel_rect: %s %s %s %s\n", format_length(fp.sel_rect[0] * f).c_str(),
            format_length(fp.sel_rect[1] * f).c_str(), format_length(fp.sel_rect[2] * f).c_str(),
            format_length(fp.sel_rect[3] * f).c_str());
  const auto placement = [&](const char* keyword, const TextPlacement& t) {
    out.print("  %s: %s %s %s %u %s\n", keyword, format_length(t.height * f).c_str(),
              format_length(t.x * f).c_str(), format_length(t.y * f).c_str(), flip_angle(t.angle),
              format_length(t.stroke_width * f).c_str());
  };
  placement("ref_text", fp.ref_text);
  if (fp.has_value_text) placement("value_text", fp.value_text);
  if (fp.has_centroid) {
    const Centroid& c = fp.centroid;
    out.print("  centroid: %u %s %s %u\n", c.code, format_length(c.x * f).c_str(),
              format_length(c.y * f).c_str(), c.angle);
  }
  for (const Adhesive& a : fp.adhesives) {
    out.print("  adhesive: %u %s %s %s\n", a.code, format_length(a.width * f).c_str(),
              format_length(a.x * f).c_str(), format_length(a.y * f).c_str());
  }
  for (const FootprintText& t : fp.fp_texts) {
    out.print("  text: \"%s\" %s %s %s %u %s %u %u\n", t.text.c_str(),
              format_length(t.height * f).c_str(), format_length(t.x * f).c_str(),
              format_length(t.y * f).c_str(), flip_angle(t.angle),
              format_length(t.stroke_width * f).c_str(), t.aux1, t.aux2);
  }
  for (const FootprintPolyline& p : fp.polylines) {
    out.print("  outline_polyline: %s %s %s\n", format_length(p.width * f).c_str(),
              format_length(p.x * f).c_str(), format_length(p.y * f).c_str());
    for (const PolylineCorner& c : p.corners) {
      out.print("    next_corner: %s %s %u\n", format_length(c.x * f).c_str(),
                format_length(c.y * f).c_str(), c.style);
    }
    if (p.closed) out.print("    close_polyline: %u\n", p.close_style);
  }
  out.print("  n_pins: %u\n", static_cast<uint32_t>(fp.pins.size()));
  write_pins(out, fp, f);
}

void write_footprints(Output& out, const Board& board) {
  out.put("\n[footprints]\n");
  for (const Footprint& fp : board.footprints) write_footprint(out, fp);
}
