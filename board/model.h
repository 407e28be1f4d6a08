// The in-memory board: everything one board file holds, as plain records.
//
// Lengths are inches (doubles); the file holds nanometres (or mils inside a MIL footprint) and
// the readers and writers convert. Angles of parts, footprint items and texts are held in the
// opposite sense to the file: held = (360 - file) mod 360 in uint32_t arithmetic.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format_2x/source_2x.h"

// File nanometres to inches and back.
inline constexpr double kNmToInch = 3.937007874015748e-8;
inline constexpr double kInchToNm = 25400000.0;

// The file's angle convention and the held one mirror each other; both directions are the same
// unsigned subtraction.
inline uint32_t flip_angle(uint32_t a) {
  return (360u - a) % 360u;
}

// ---------------------------------------------------------------- options and layers

struct Grid {
  double spacing = 0;
  std::vector<std::string> items;  // each item exactly as written, never interpreted
};

struct WidthMenuItem {
  double lengths[3] = {0, 0, 0};
};

struct Layer {
  std::string name;
  uint8_t info[4] = {0, 0, 0, 0};  // the four layer_info values, low 8 bits each
};

inline constexpr int kMaxLayers = 64;

struct Options {
  double version = 0;
  double file_version = 0;
  std::string project_name;
  std::string full_library_folder;
  std::string CAM_folder;
  std::string ses_file_path;
  std::string netlist_file_path;
  uint32_t dsn_bounds_poly = 0;
  uint32_t dsn_signals_poly = 0;
  int dsn_settings_present = 0;
  uint32_t dsn_flags = 0;
  uint32_t autosave_interval = 0;
  // Records of newer editor versions that this program does not know, each line as read
  // (leading blanks removed), in file order; written back after autosave_interval, where the
  // editor puts them, so nothing of a newer board is lost.
  std::vector<std::string> unknown_records;
  int refdes_visibility_supported = 0;
  uint32_t netlist_import_flags = 0;
  uint32_t units = 0;  // 0 not given, 1 MM, 2 MIL
  Grid visible_grid, placement_grid, routing_grid;
  uint32_t snap_angle = 0;
  Grid fp_visible_grid, fp_placement_grid;
  uint32_t fp_snap_angle = 0;
  double fill_clearance = 0, mask_clearance = 0, thermal_width = 0, min_silkscreen_width = 0,
         board_outline_width = 0, hole_clearance = 0, pilot_diameter = 0, annular_ring_for_pins = 0,
         annular_ring_for_vias = 0, shrink_paste_mask = 0, cam_space_x = 0, cam_space_y = 0;
  uint32_t cam_flags = 0, cam_layers = 0, cam_drill_file = 0, cam_units = 0, cam_n_x = 0,
           cam_n_y = 0;
  int shrink_paste_mask_present = 0;
  int cam_array_present = 0;
  int text_extra_present = 0;
  uint32_t drc_check_unrouted = 0;
  uint32_t SMT_connect_copper = 0;
  uint32_t report_options = 0;
  double drc_trace_width = 0, drc_pad_pad = 0, drc_pad_trace = 0, drc_trace_trace = 0,
         drc_hole_copper = 0, drc_annular_ring_pins = 0, drc_annular_ring_vias = 0,
         drc_board_edge_copper = 0, drc_board_edge_hole = 0, drc_hole_hole = 0,
         drc_copper_copper = 0, default_trace_width = 0, default_glue_width = 0,
         default_via_pad_width = 0, default_via_hole_width = 0;
  std::vector<WidthMenuItem> width_menu;  // n_width_menu == width_menu.size()
  uint32_t n_copper_layers = 0;
  std::array<Layer, kMaxLayers> layers;
};

// ---------------------------------------------------------------- footprints

struct PadSpec {
  uint32_t shape = 0;  // 0 = no pad on this layer
  double width = 0, len1 = 0, len2 = 0, radius = 0;
  uint32_t flags = 0;  // copper pads only, 0..3
};

struct FootprintPin {
  std::string name;
  uint32_t angle = 0;  // held convention
  bool inner_flags_given = false;
  bool top_mask_given = false, bottom_mask_given = false;
  bool top_paste_given = false, bottom_paste_given = false;
  PadSpec top_pad, top_mask, top_paste, inner_pad, bottom_pad, bottom_mask, bottom_paste;
  double hole = 0;  // 0 = surface pin
  double x = 0, y = 0;
};

struct TextPlacement {
  double height = 0, x = 0, y = 0, stroke_width = 0;
  uint32_t angle = 0;  // held convention
};

struct Centroid {
  uint32_t code = 0;
  double x = 0, y = 0;
  uint32_t angle = 0;  // stored as in the file, not converted
};

struct Adhesive {
  uint32_t code = 0;
  double width = 0, x = 0, y = 0;
};

struct FootprintText {
  std::string text;
  double height = 0, x = 0, y = 0;
  uint32_t angle = 0;  // held convention
  double stroke_width = 0;
  uint32_t aux1 = 0, aux2 = 0;
};

struct PolylineCorner {
  double x = 0, y = 0;
  uint32_t style = 0;
};

struct FootprintPolyline {
  double width = 0, x = 0, y = 0;
  std::vector<PolylineCorner> corners;  // n_corners entries (the close_polyline line is no corner)
  int closed = 0;
  uint32_t close_style = 0;
};

struct Footprint {
  std::string name, author, source, description;
  int units = 0;                      // 0 none given, 1 NM, 2 MIL, 3 MM (2.x boards only)
  double sel_rect[4] = {0, 0, 0, 0};  // x1 y1 x2 y2
  TextPlacement ref_text;
  int has_value_text = 0;
  TextPlacement value_text;
  int has_centroid = 0;
  Centroid centroid;
  std::vector<Adhesive> adhesives;
  std::vector<FootprintText> fp_texts;
  std::vector<FootprintPolyline> polylines;
  std::vector<FootprintPin> pins;
};

// ---------------------------------------------------------------- outlines and cutouts

struct OutlineCorner {
  double x = 0, y = 0;
  uint32_t style = 0;
};

struct BoardOutline {
  std::vector<OutlineCorner> corners;  // as many as declared; missing ones stay zero
};

struct SmCutout {
  uint32_t aux = 0;
  uint32_t layer = 0;
  std::vector<OutlineCorner> corners;
};

// ---------------------------------------------------------------- parts

struct Part {
  std::string name, package, value, shape;
  uint32_t ref_text_angle = 0;  // held convention
  uint32_t value_angle = 0;     // held convention
  uint32_t side = 0;            // 0 top, 1 bottom
  uint32_t angle = 0;           // held convention
  uint32_t pos_aux = 0;
  int footprint_index = -1;  // -1: bound to no footprint (no shape, or an empty one)
  // A part that came in with the netlist and was never placed: the editor writes its
  // "ref_text:" and "shape:" records with nothing after the keyword. Such a part has no
  // reference text (conversion passes it over) and no footprint.
  bool empty_ref_text = false;
  bool empty_shape = false;
  uint32_t ref_text_visible = 0;
  uint32_t value_visible = 0;
  double ref_text_height = 0, ref_text_stroke_width = 0, ref_text_x = 0, ref_text_y = 0;
  double value_height = 0, value_stroke_width = 0, value_x = 0, value_y = 0;
  double pos_x = 0, pos_y = 0;
};

// ---------------------------------------------------------------- nets

struct NetPin {
  std::string name;
};

struct Segment {
  uint32_t layer = 0;
  double width = 0;
  uint32_t aux1 = 0, aux2 = 0;
};

// A vertex and the segment that leaves it; the last vertex of a connection has no segment.
struct Vertex {
  double x = 0, y = 0;
  uint32_t layer = 0;
  uint32_t aux = 0;
  double via_pad_width = 0, via_hole_width = 0;
  uint32_t tee_id = 0;
  Segment seg;
};

// A trace: n_segs + 1 vertices, board.vertices[first_vertex] and those after it.
struct Connection {
  uint32_t start_pin = 0;
  int end_pin = 0;
  uint32_t aux = 0;
  uint32_t n_segs = 0;
  size_t first_vertex = 0;
  size_t n_vertices() const { return size_t{n_segs} + 1; }
};

struct AreaCorner {
  double x = 0, y = 0;
  uint32_t style = 0;
  uint32_t end_contour = 0;
};

// One closed contour after polygon processing. The point list is built only to find the
// orientation and the enclosed area, so only its size is kept.
struct AreaPolygon {
  uint32_t n_points = 0;
  int orientation = 0;  // 1 clockwise, 2 counter-clockwise
  double area = 0;      // square inches
};

struct CopperArea {
  uint32_t layer = 0;
  uint32_t aux = 0;
  std::vector<AreaCorner> corners;
  std::vector<AreaPolygon> polygons;
};

// A board holds hundreds of thousands of nets of a few pins and one or two short traces each.
// Their pins, connections and vertices are kept in three tables of the board, each net's (and
// each connection's) in one run of consecutive entries, rather than in small lists of their
// own: a list per net and per connection cost more memory than the records in them, and the
// time to fill fresh memory is most of a large board's load.
struct Net {
  std::string name;
  uint32_t visible = 0;
  uint32_t n_pins = 0;      // board.net_pins[first_pin] and those after it
  uint32_t n_connects = 0;  // board.connections[first_connect] and those after it
  double trace_width = 0, via_pad_width = 0, via_hole_width = 0;
  size_t first_pin = 0;
  size_t first_connect = 0;
  std::vector<CopperArea> areas;  // few nets have any
};

// ---------------------------------------------------------------- texts

struct BoardText {
  std::string text;
  uint32_t layer = 0;
  uint32_t angle = 0;  // held convention
  uint32_t mirror = 0;
  uint32_t extra_value = 0;
  double x = 0, y = 0;
  double height = 0, stroke_width = 0;
  // The part (index into Board::parts) whose designator the conversion made this text for; -1
  // for a text read from the file. Parts that were never placed get no text, so a text's place
  // in the list says nothing about its part: the check and arranging follow this link.
  int part_index = -1;
};

// ---------------------------------------------------------------- the board

struct Board {
  Options options;
  // Index of the "top copper" layer: 12 unless the board's layer list names it elsewhere. Every
  // board starts from 12, so a board's result never depends on the board read before it.
  int top_copper_index = 12;
  std::vector<Footprint> footprints;
  std::vector<BoardOutline> board_outlines;
  // Outline check values, set up before the outlines are read.
  int board_outline_index = 0;
  int signal_outline_index = 0;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  std::vector<SmCutout> sm_cutouts;
  std::vector<Part> parts;
  std::vector<Net> nets;
  // The records of every net (see Net).
  std::vector<NetPin> net_pins;
  std::vector<Connection> connections;
  std::vector<Vertex> vertices;
  std::vector<BoardText> texts;
  // A board of the editor's 2.x versions keeps its bytes and is written back from them.
  std::optional<Source2x> source_2x;
};

// Index of the first valid layer whose name is exactly `name`, or -1.
int find_layer(const Board& board, const std::string& name);

// Empties the board for the next file: everything back to its first state.
void release_board(Board& board);
