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
#include "format_1x/nets.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "format_1x/net_areas.h"
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

void read_pins(LineReader& in, std::vector<NetPin>& pins, uint32_t n_pins) {
  std::vector<char> word;
  for (uint32_t i = 0; i < n_pins; ++i) {
    const char* line = read_record(in, "pin:", Err::net_pins_eof, Err::net_pin_missing);
    const char* text = text_at(line, 4);
    // The pin reference is one blank-free word; a buffer as long as the line holds any word.
    word.resize(std::strlen(text) + 1);
    if (scan_values<"%*u %s">(text, word.data()) != 1) fatal_error(Err::net_pin_bad);
    pins.push_back({word.data()});
  }
}

// A tee identifier names one place within a net: every vertex carrying it must stand exactly
// where the first one did.
void check_tee(TeeIndex& tee_index, const Vertex& v) {
  const auto [it, added] = tee_index.try_emplace(v.tee_id, TeePlace{v.x, v.y});
  if (added) return;
  if (v.x != it->second.x) fatal_error(Err::tee_x_changed);
  if (v.y != it->second.y) fatal_error(Err::tee_y_changed);
}

// A connection and its vertices, added to the board's tables as they are read, so a segment
// count the file does not back up runs into the file's end, not into an allocation.
void read_connection(LineReader& in, Board& board, TeeIndex& tee_index) {
  const char* line = read_record(in, "connect:", Err::net_connects_eof, Err::net_connect_missing);
  Connection& connection = board.connections.emplace_back();
  if (scan_values<"%*u %u %d %u %u">(text_at(line, 8), &connection.start_pin, &connection.end_pin,
                                     &connection.n_segs, &connection.aux) != 4) {
    fatal_error(Err::net_connect_bad);
  }
  connection.first_vertex = board.vertices.size();
  // Counted wide, so that the largest n_segs does not wrap to no vertex at all.
  const uint64_t n_vertices = connection.n_vertices();
  for (uint64_t j = 0; j < n_vertices; ++j) {
    line = read_record(in, "vtx:", Err::net_vertex_eof, Err::net_vertex_missing);
    Vertex& v = board.vertices.emplace_back();
    if (scan_values<"%*u %lf %lf %u %u %lf %lf %u">(text_at(line, 4), &v.x, &v.y, &v.layer, &v.aux,
                                                    &v.via_pad_width, &v.via_hole_width,
                                                    &v.tee_id) != 7) {
      fatal_error(Err::net_vertex_bad);
    }
    v.x *= kNmToInch;
    v.y *= kNmToInch;
    v.via_pad_width *= kNmToInch;
    v.via_hole_width *= kNmToInch;
    if (v.tee_id != 0) check_tee(tee_index, v);
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

void print_vertex(Output& out, uint32_t number, const Vertex& v) {
  out.print<"    vtx: %u %d %d %u %u %u %u %u\n">(number, coord_to_nm(v.x), coord_to_nm(v.y),
                                                  v.layer, v.aux, size_to_nm(v.via_pad_width),
                                                  size_to_nm(v.via_hole_width), v.tee_id);
}

}  // namespace

void read_net(LoadContext& ctx, Net& net, const char* line, TeeIndex& tee_index) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
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
  net.first_pin = board.net_pins.size();
  read_pins(in, board.net_pins, n_pins);
  net.n_pins = n_pins;
  // Tee identifiers are the net's own.
  tee_index.clear();
  net.first_connect = board.connections.size();
  for (uint32_t k = 0; k < n_connects; ++k) read_connection(in, board, tee_index);
  net.n_connects = n_connects;
  if (n_areas > 0) read_net_areas(ctx, net, n_areas);
}

void read_nets(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Board& board = ctx.board;
  find_section_header(in, "[nets]", Err::nets_header_missing);
  // The nets and, in the same sweep, the lines of their pins, connections and vertices: every
  // table is made as large as the lines the section holds (bounded by the file itself) before
  // it is filled, so none is copied as it grows.
  static constexpr const char* kKeywords[] = {"net:", "pin:", "connect:", "vtx:"};
  uint32_t counts[std::size(kKeywords)] = {};
  count_section_records(in, "[nets]", kKeywords, counts, Err::nets_pass1_eof);
  const uint32_t count = counts[0];
  board.nets.clear();
  board.nets.reserve(count);
  advise_huge_pages(board.nets);
  board.net_pins.clear();
  board.net_pins.reserve(counts[1]);
  advise_huge_pages(board.net_pins);
  board.connections.clear();
  board.connections.reserve(counts[2]);
  board.vertices.clear();
  board.vertices.reserve(counts[3]);
  advise_huge_pages(board.vertices);
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
        net.name.c_str(), net.n_pins, net.n_connects, static_cast<uint32_t>(net.areas.size()),
        size_to_nm(net.trace_width), size_to_nm(net.via_pad_width), size_to_nm(net.via_hole_width),
        net.visible);
    const NetPin* const pins = board.net_pins.data() + net.first_pin;
    for (uint32_t i = 0; i < net.n_pins; ++i) {
      out.print<"  pin: %u %s\n">(i + 1, pins[i].name.c_str());
    }
    const Connection* const connections = board.connections.data() + net.first_connect;
    for (uint32_t i = 0; i < net.n_connects; ++i) {
      const Connection& c = connections[i];
      // start_pin is written signed, as it always was; reading it back with %u restores it.
      out.print<"  connect: %u %d %d %u %u\n">(i + 1, static_cast<int>(c.start_pin), c.end_pin,
                                               c.n_segs, c.aux);
      const Vertex* v = board.vertices.data() + c.first_vertex;
      for (uint64_t j = 1; j <= c.n_segs; ++j, ++v) {
        const uint32_t number = static_cast<uint32_t>(j);
        print_vertex(out, number, *v);
        out.print<"    seg: %u %u %u %u %u\n">(number, v->seg.layer, size_to_nm(v->seg.width),
                                               v->seg.aux1, v->seg.aux2);
      }
      // The last vertex has no segment.
      print_vertex(out, c.n_segs + 1, *v);
    }
    write_net_areas(out, net);
  }
}
