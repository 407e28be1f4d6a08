// The [nets] section: each net's pins, its traces and its copper areas.
//
//   net: "name" n_pins n_connects n_areas trace_width via_pad_width via_hole_width visible
//     pin: number pin_reference                      (n_pins times)
//     connect: number start_pin end_pin n_segs aux   (n_connects times, each followed by)
//       vtx: number x y layer aux via_pad_width via_hole_width tee_id
//       seg: number layer width aux1 aux2            (after every vtx but the last)
//     area: ...                                      (n_areas times, see net_areas.h)
//
// The records of one net follow each other with no other line between; lengths are nanometres.
// After all nets come the checks that need the whole board: area layers and the pins of the
// placed parts.
#include "board/nets.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "board/net_areas.h"
#include "io/fatal_error.h"
#include "io/scan.h"
#include "platform/huge_pages.h"

namespace {

// The next line of a net's record run, which must begin with `keyword`.
const char* read_record(LineReader& in, const char* keyword, ErrorCall<> at_end,
                        ErrorCall<> missing) {
  const char* line = in.read_line();
  if (line == nullptr) fatal_error(at_end);
  line = skip_blanks(line);
  if (!starts_with(line, keyword)) fatal_error(missing);
  return line;
}

// Room for `count` records, but never more than the rest of the file could hold (a record line
// takes at least five bytes): a count the file cannot back up runs into its end instead of into
// a huge allocation.
template <typename T>
void reserve_records(std::vector<T>& records, uint64_t count, const LineReader& in) {
  records.reserve(static_cast<size_t>(std::min<uint64_t>(count, in.bytes_left() / 5)));
}

void read_pins(LineReader& in, Net& net, uint32_t n_pins) {
  reserve_records(net.pins, n_pins, in);
  std::vector<char> word;
  for (uint32_t i = 0; i < n_pins; ++i) {
    const char* line = read_record(in, "pin:", Err::net_pins_eof, Err::net_pin_missing);
    const char* text = text_at(line, 4);
    // The pin reference is one blank-free word; a buffer as long as the line holds any word.
    word.resize(std::strlen(text) + 1);
    if (scan_values<"%*u %s">(text, word.data()) != 1) fatal_error(Err::net_pin_bad);
    net.pins.push_back({word.data()});
  }
}

// A tee identifier names one place within a net: every vertex carrying it must stand exactly
// where the first one did. `tee_index` maps identifiers to their entries in net.tees.
void check_tee(Net& net, TeeIndex& tee_index, const Vertex& v) {
  const auto [it, added] = tee_index.try_emplace(v.tee_id, net.tees.size());
  if (added) {
    net.tees.push_back({v.tee_id, v.x, v.y});
    return;
  }
  const Tee& tee = net.tees[it->second];
  if (v.x != tee.x) fatal_error(Err::tee_x_changed);
  if (v.y != tee.y) fatal_error(Err::tee_y_changed);
}

void read_connection(LineReader& in, Net& net, TeeIndex& tee_index) {
  const char* line = read_record(in, "connect:", Err::net_connects_eof, Err::net_connect_missing);
  Connection& connection = net.connects.emplace_back();
  uint32_t n_segs = 0;
  if (scan_values<"%*u %u %d %u %u">(text_at(line, 8), &connection.start_pin, &connection.end_pin,
                                     &n_segs, &connection.aux) != 4) {
    fatal_error(Err::net_connect_bad);
  }
  // n_segs + 1 vertices, counted wide so that the largest n_segs does not wrap to none.
  const uint64_t n_vertices = static_cast<uint64_t>(n_segs) + 1;
  reserve_records(connection.vertices, n_vertices, in);
  for (uint64_t j = 0; j < n_vertices; ++j) {
    line = read_record(in, "vtx:", Err::net_vertex_eof, Err::net_vertex_missing);
    Vertex& v = connection.vertices.emplace_back();
    if (scan_values<"%*u %lf %lf %u %u %lf %lf %u">(text_at(line, 4), &v.x, &v.y, &v.layer, &v.aux,
                                                    &v.via_pad_width, &v.via_hole_width,
                                                    &v.tee_id) != 7) {
      fatal_error(Err::net_vertex_bad);
    }
    v.x *= kNmToInch;
    v.y *= kNmToInch;
    v.via_pad_width *= kNmToInch;
    v.via_hole_width *= kNmToInch;
    if (v.tee_id != 0) check_tee(net, tee_index, v);
    if (j + 1 < n_vertices) {
      line = read_record(in, "seg:", Err::net_segment_eof, Err::net_segment_missing);
      Segment& s = v.seg;
      if (scan_values<"%*u %u %lf %u %u">(text_at(line, 4), &s.layer, &s.width, &s.aux1, &s.aux2) !=
          4) {
        fatal_error(Err::net_segment_bad);
      }
      s.width *= kNmToInch;
    }
  }
}

// Every pin of a placed part's footprint: the part must stand at a right angle, and a pin
// without a hole needs a pad on an outer layer. The checks run part by part and, within a part,
// pin by pin, stopping at the first failure; the angle test does not depend on the pin and the
// pad test not on the part, so each footprint's first pin without pads is found once and the
// whole check costs parts plus pins.
void check_part_pins(const Board& board) {
  std::vector<const FootprintPin*> first_bare_pin(board.footprints.size(), nullptr);
  for (size_t f = 0; f < board.footprints.size(); ++f) {
    for (const FootprintPin& pin : board.footprints[f].pins) {
      if (pin.hole == 0 && pin.top_pad.shape == 0 && pin.bottom_pad.shape == 0) {
        first_bare_pin[f] = &pin;
        break;
      }
    }
  }
  for (const Part& part : board.parts) {
    // A part without a shape record is bound to no footprint and has no pins to check.
    if (part.footprint_index < 0 ||
        static_cast<size_t>(part.footprint_index) >= board.footprints.size()) {
      continue;
    }
    const size_t f = static_cast<size_t>(part.footprint_index);
    const Footprint& footprint = board.footprints[f];
    if (footprint.pins.empty()) continue;
    if (part.angle != 0 && part.angle != 90 && part.angle != 180 && part.angle != 270) {
      fatal_board_error(Err::part_rotation_bad, part.name.c_str(), part.angle);
    }
    if (first_bare_pin[f] != nullptr) {
      fatal_board_error(Err::smd_padstack_invalid, footprint.name.c_str(),
                        first_bare_pin[f]->name.c_str());
    }
  }
}

// Any section header, this section's own included: the search for the next net stops there.
bool is_section_header(const char* line) {
  for (const char* header : kSectionHeaders) {
    if (starts_with(line, header)) return true;
  }
  return false;
}

}  // namespace

void read_net(LoadContext& ctx, Net& net, const char* line, TeeIndex& tee_index) {
  LineReader& in = ctx.in;
  if (extract_quoted(net.name, line) < 1) fatal_error(Err::net_name_bad);
  uint32_t n_pins = 0, n_connects = 0, n_areas = 0;
  if (scan_values<"%u %u %u %lf %lf %lf %u">(after_last_quote(line), &n_pins, &n_connects, &n_areas,
                                             &net.trace_width, &net.via_pad_width,
                                             &net.via_hole_width, &net.visible) != 7) {
    fatal_error(Err::net_bad);
  }
  net.trace_width *= kNmToInch;
  net.via_pad_width *= kNmToInch;
  net.via_hole_width *= kNmToInch;
  read_pins(in, net, n_pins);
  // Tee identifiers are the net's own.
  tee_index.clear();
  reserve_records(net.connects, n_connects, in);
  for (uint32_t k = 0; k < n_connects; ++k) read_connection(in, net, tee_index);
  if (n_areas > 0) read_net_areas(ctx, net, n_areas);
}

void read_nets(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[nets]", Err::nets_header_missing);
  const uint32_t count = count_section_records(in, "[nets]", "net:", Err::nets_pass1_eof);
  board.nets.clear();
  board.nets.reserve(count);  // counted over lines that exist
  advise_huge_pages(board.nets);
  TeeIndex tee_index;
  for (uint32_t i = 0; i < count; ++i) {
    const char* line;
    do {
      line = in.read_line();
      if (line == nullptr) fatal_error(Err::nets_pass2_eof);
      line = skip_blanks(line);
    } while (!starts_with(line, "net:") && !is_section_header(line));
    read_net(ctx, board.nets.emplace_back(), line, tee_index);
  }
  check_area_layers(board);
  check_part_pins(board);
}

void write_nets(Output& out, const Board& board) {
  out.put("\n[nets]\n");
  for (const Net& net : board.nets) {
    out.print<"\nnet: \"%s\" %u %u %u %u %u %u %u\n">(
        net.name.c_str(), static_cast<uint32_t>(net.pins.size()),
        static_cast<uint32_t>(net.connects.size()), static_cast<uint32_t>(net.areas.size()),
        size_to_nm(net.trace_width), size_to_nm(net.via_pad_width), size_to_nm(net.via_hole_width),
        net.visible);
    uint32_t i = 0;
    for (const NetPin& pin : net.pins) out.print<"  pin: %u %s\n">(++i, pin.name.c_str());
    i = 0;
    for (const Connection& c : net.connects) {
      const uint32_t n_segs = c.vertices.empty() ? 0 : static_cast<uint32_t>(c.vertices.size() - 1);
      // start_pin is written signed, as it always was; reading it back with %u restores it.
      out.print<"  connect: %u %d %d %u %u\n">(++i, static_cast<int>(c.start_pin), c.end_pin,
                                               n_segs, c.aux);
      uint32_t j = 0;
      for (const Vertex& v : c.vertices) {
        out.print<"    vtx: %u %d %d %u %u %u %u %u\n">(++j, coord_to_nm(v.x), coord_to_nm(v.y),
                                                        v.layer, v.aux, size_to_nm(v.via_pad_width),
                                                        size_to_nm(v.via_hole_width), v.tee_id);
        if (j <= n_segs) {
          out.print<"    seg: %u %u %u %u %u\n">(j, v.seg.layer, size_to_nm(v.seg.width),
                                                 v.seg.aux1, v.seg.aux2);
        }
      }
    }
    write_net_areas(out, net);
  }
}
