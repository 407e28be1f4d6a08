// The [parts] section: the parts placed on the board, one block of records per part.
//
//   part: <designator>
//     ref_text: height stroke_width angle x y [visible]
//     package: "<text>"
//     value: "<text>" height stroke_width angle x y [visible]
//     shape: "<footprint name>"
//     pos: x y side angle aux
//
// Lengths are nanometres; the ref_text and value offsets are relative to the part's position.
// A block ends at an empty line or at the next "part:" line. Each part is bound to the
// footprint that carries its shape name, so the footprints must be read first. A part that
// was never placed has "ref_text:" and "shape:" records with nothing after the keyword; it is
// kept as it is, without a reference text and bound to no footprint.
#include "format_1x/parts.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "board/dialect.h"
#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"
#include "platform/huge_pages.h"

namespace {

// Footprint names to the index of the first footprint of that name: boards hold thousands of
// parts and footprints, and searching the list for every part would take their product.
using FootprintIndex = std::unordered_map<std::string_view, int>;

FootprintIndex index_footprints(const Board& board) {
  FootprintIndex index;
  index.reserve(board.footprints.size());
  for (size_t i = 0; i < board.footprints.size(); ++i) {
    index.try_emplace(board.footprints[i].name, static_cast<int>(i));  // the first one wins
  }
  return index;
}

// Index of the first footprint named exactly `name`, or -1.
int find_footprint(const FootprintIndex& index, const std::string& name) {
  const auto it = index.find(name);
  return it == index.end() ? -1 : it->second;
}

// The first blank-delimited word of `text`, as "%s" takes it; false when there is none.
// `buffer` is any buffer, kept from one part to the next; it is made as long as the text.
bool scan_word(const char* text, std::string& word, std::vector<char>& buffer) {
  buffer.resize(std::max(buffer.size(), std::strlen(text) + 1));
  if (scan_values<"%s">(text, buffer.data()) != 1) return false;
  word.assign(buffer.data());
  return true;
}

// The six values of a ref_text or value record: height, stroke width, angle, x, y and the
// optional visibility. Returns how many were converted; lengths and the angle are converted to
// the board's units and convention.
int read_placement(const char* at, double& height, double& stroke_width, uint32_t& angle, double& x,
                   double& y, uint32_t& visible) {
  const int n =
      scan_values<"%lf %lf %u %lf %lf %u">(at, &height, &stroke_width, &angle, &x, &y, &visible);
  height *= kNmToInch;
  stroke_width *= kNmToInch;
  x *= kNmToInch;
  y *= kNmToInch;
  angle = flip_angle(angle);
  return n;
}

// True when nothing but blanks and tabs follows the keyword's `length` characters.
bool nothing_after(const char* line, size_t length) {
  return *skip_blanks(line + length) == '\0';
}

void read_ref_text(const char* line, Part& part) {
  // A record given again replaces the earlier one, so an empty record clears what one before
  // it set.
  part.empty_ref_text = nothing_after(line, 9);
  if (part.empty_ref_text) {
    part.ref_text_height = part.ref_text_stroke_width = part.ref_text_x = part.ref_text_y = 0;
    part.ref_text_angle = 0;
    part.ref_text_visible = 0;
    return;
  }
  part.ref_text_visible = 1;
  if (read_placement(text_at(line, 9), part.ref_text_height, part.ref_text_stroke_width,
                     part.ref_text_angle, part.ref_text_x, part.ref_text_y,
                     part.ref_text_visible) < 5) {
    fatal_error(Err::part_ref_text_bad);
  }
}

void read_shape(const char* line, const FootprintIndex& footprints, Part& part) {
  part.empty_shape = nothing_after(line, 6);
  if (part.empty_shape) {
    part.shape.clear();
    part.footprint_index = -1;
    return;
  }
  if (extract_quoted(part.shape, line) <= 0) fatal_error(Err::part_shape_bad);
  part.footprint_index = find_footprint(footprints, part.shape);
  if (part.footprint_index < 0) {
    fatal_error(Err::part_footprint_unknown, part.name.c_str(), part.shape.c_str());
  }
}

void read_pos(const char* line, Part& part) {
  const int n = scan_values<"%lf %lf %u %u %u">(text_at(line, 4), &part.pos_x, &part.pos_y,
                                                &part.side, &part.angle, &part.pos_aux);
  if (n != 5) fatal_error(Err::part_pos_bad);
  part.pos_x *= kNmToInch;
  part.pos_y *= kNmToInch;
  part.angle = flip_angle(part.angle);
}

void read_value(const char* line, Part& part) {
  part.value_visible = 1;
  const long length = extract_quoted(part.value, line);
  if (length < 0) fatal_error(Err::part_value_text_bad);
  // The numbers are taken from where they stand when one blank separates the keyword from the
  // opening quote: just after the closing quote.
  if (read_placement(text_at(line, 9 + static_cast<size_t>(length)), part.value_height,
                     part.value_stroke_width, part.value_angle, part.value_x, part.value_y,
                     part.value_visible) < 5) {
    fatal_error(Err::part_value_bad);
  }
}

// Reads one part's records up to the empty line or the next "part:" line that ends its block.
void read_part_records(LoadContext& ctx, const FootprintIndex& footprints, Part& part) {
  LineReader& in = ctx.in;
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(Err::part_eof);
    line = skip_blanks(line);
    if (*line == '\0') return;
    if (starts_with(line, "part:")) {
      in.push_back_line();
      return;
    }
    if (starts_with(line, "ref_text:")) {
      read_ref_text(line, part);
    } else if (starts_with(line, "package:")) {
      if (extract_quoted(part.package, line) < 0) fatal_error(Err::part_package_bad);
    } else if (starts_with(line, "shape:")) {
      read_shape(line, footprints, part);
    } else if (starts_with(line, "pos:")) {
      read_pos(line, part);
    } else if (starts_with(line, "value:")) {
      read_value(line, part);
    }
    // Any other line inside a part's block is passed over.
  }
}

// Lengths are written in nanometres through the coordinate formatter.
Length nm(double inches) {
  return Length{inches * kInchToNm};
}

}  // namespace

void read_parts(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[parts]", Err::parts_header_missing);
  const uint32_t count = count_section_records(in, "[parts]", "part:", Err::parts_pass1_eof);
  board.parts.clear();
  // The count is of lines actually present, so reserving it is bounded by the file itself.
  board.parts.reserve(count);
  advise_huge_pages(board.parts);
  const FootprintIndex footprints = index_footprints(board);
  std::vector<char> word;
  for (uint32_t i = 0; i < count; ++i) {
    const char* line = next_record(in, "part:", Err::parts_pass2_eof);
    Part& part = board.parts.emplace_back();
    if (!scan_word(text_at(line, 5), part.name, word)) fatal_error(Err::part_bad);
    // A part without a shape record keeps footprint_index -1: it is bound to no footprint, and
    // the checks that look at a part's footprint pass it over.
    read_part_records(ctx, footprints, part);
  }
}

void write_parts(Output& out, const Board& board) {
  const Options& o = board.options;
  const bool new_dialect = o.version > kGlueWidthVersion;
  out.put("\n\n[parts]\n");
  for (const Part& p : board.parts) {
    if (p.empty_ref_text) {
      out.print<"\npart: %s\n  ref_text: \n">(p.name.c_str());
    } else {
      out.print<"\npart: %s\n  ref_text: %s ">(p.name.c_str(), nm(p.ref_text_height));
      out.print<"%s %u ">(nm(p.ref_text_stroke_width), flip_angle(p.ref_text_angle));
      out.print<"%s ">(nm(p.ref_text_x));
      out.print<"%s">(nm(p.ref_text_y));
      if (new_dialect) {
        out.print<" %u\n">(p.ref_text_visible);
      } else {
        out.put("\n");
      }
    }
    if (o.refdes_visibility_supported || !p.package.empty()) {
      out.print<"  package: \"%s\"\n">(p.package.c_str());
    }
    if (new_dialect && !p.value.empty()) {
      out.print<"  value: \"%s\" %s %s %u %s %s %u\n">(
          p.value.c_str(), nm(p.value_height), nm(p.value_stroke_width), flip_angle(p.value_angle),
          nm(p.value_x), nm(p.value_y), p.value_visible);
    }
    // A part read without a shape record has no footprint name; an empty shape line would be
    // refused when the written file is read again, so the record is left out as it came in.
    if (p.empty_shape) {
      out.put("  shape: \n");
    } else if (!p.shape.empty()) {
      out.print<"  shape: \"%s\"\n">(p.shape.c_str());
    }
    out.print<"  pos: %s ">(nm(p.pos_x));
    out.print<"%s %u %u %u\n">(nm(p.pos_y), p.side, flip_angle(p.angle), p.pos_aux);
  }
}
