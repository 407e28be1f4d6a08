// The [options] section: the editor's board-wide settings, the grids, the width menu and, at
// its end, the layer list.
//
// Each record is "keyword: value". Lengths are whole nanometres in the file. A grid is a
// "<grid>_spacing:" line followed by its item lines up to a line without a colon; the width
// menu and the layer list follow their count records directly.
#include "format_1x/options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "board/dialect.h"
#include "format_1x/sections.h"
#include "io/fatal_error.h"
#include "io/scan.h"

namespace {

enum class Kind {
  kLength,
  kUnsigned,
  kQuoted,
  kVersion,
  kFileVersion,
  kUnits,
  kGrid,
  kWidthMenu,
  kLayers
};

// Which presence flag a record sets besides its own field.
enum class Sets { kNothing, kDsnSettings, kShrinkPasteMask, kCamArray };

struct Record {
  const char* keyword;
  size_t compared;  // characters of the keyword that must match
  size_t start;     // where the number's scan starts
  Kind kind;
  double Options::*length = nullptr;
  uint32_t Options::*number = nullptr;
  std::string Options::*text = nullptr;
  Grid Options::*grid = nullptr;
  Sets sets = Sets::kNothing;
  uint32_t units = 0;
};

Record length(const char* keyword, double Options::*field, Sets sets = Sets::kNothing) {
  const size_t n = std::strlen(keyword);
  return {keyword, n, n, Kind::kLength, field, nullptr, nullptr, nullptr, sets};
}
Record number(const char* keyword, uint32_t Options::*field, size_t compared, size_t start,
              Sets sets = Sets::kNothing) {
  return {keyword, compared, start, Kind::kUnsigned, nullptr, field, nullptr, nullptr, sets};
}
Record number(const char* keyword, uint32_t Options::*field, Sets sets = Sets::kNothing) {
  const size_t n = std::strlen(keyword);
  return number(keyword, field, n, n, sets);
}
Record quoted(const char* keyword, std::string Options::*field, size_t compared,
              Sets sets = Sets::kNothing) {
  return {keyword, compared, 0, Kind::kQuoted, nullptr, nullptr, field, nullptr, sets};
}
Record grid(const char* keyword, Grid Options::*field) {
  return {keyword, std::strlen(keyword), 0, Kind::kGrid, nullptr, nullptr, nullptr, field};
}
Record special(const char* keyword, size_t compared, size_t start, Kind kind, uint32_t units = 0) {
  return {keyword, compared, start,   kind,           nullptr,
          nullptr, nullptr,  nullptr, Sets::kNothing, units};
}

// In the order the records are tried: the first keyword the line begins with handles it. Some
// keywords are compared on fewer characters than they have, and the quoted-number records are
// scanned from past the blank and the quote the writer puts after their colon.
const Record kRecords[] = {
    special("version:", 8, 9, Kind::kVersion),
    special("file_version:", 13, 13, Kind::kFileVersion),
    quoted("project_name:", &Options::project_name, 13),
    quoted("full_library_folder:", &Options::full_library_folder, 20),
    quoted("CAM_folder:", &Options::CAM_folder, 11),
    quoted("ses_file_path:", &Options::ses_file_path, 14, Sets::kDsnSettings),
    quoted("netlist_file_path:", &Options::netlist_file_path, 14),
    number("SMT_connect_copper:", &Options::SMT_connect_copper, 19, 21),
    {"default_glue_width:", 19, 21, Kind::kLength, &Options::default_glue_width},
    number("dsn_flags:", &Options::dsn_flags, 10, 12, Sets::kDsnSettings),
    number("dsn_bounds_poly:", &Options::dsn_bounds_poly, 16, 18, Sets::kDsnSettings),
    number("dsn_signals_poly:", &Options::dsn_signals_poly, 17, 19, Sets::kDsnSettings),
    number("autosave_interval:", &Options::autosave_interval),
    number("netlist_import_flags:", &Options::netlist_import_flags, 13, 21),
    special("units: MIL", 10, 0, Kind::kUnits, 2),
    special("units: MM", 9, 0, Kind::kUnits, 1),
    grid("visible_grid", &Options::visible_grid),
    grid("placement_grid", &Options::placement_grid),
    grid("routing_grid", &Options::routing_grid),
    number("snap_angle:", &Options::snap_angle),
    grid("fp_visible_grid", &Options::fp_visible_grid),
    grid("fp_placement_grid", &Options::fp_placement_grid),
    number("fp_snap_angle:", &Options::fp_snap_angle),
    length("fill_clearance:", &Options::fill_clearance),
    length("mask_clearance:", &Options::mask_clearance),
    length("thermal_width:", &Options::thermal_width),
    length("min_silkscreen_width:", &Options::min_silkscreen_width),
    length("board_outline_width:", &Options::board_outline_width),
    length("hole_clearance:", &Options::hole_clearance),
    length("pilot_diameter:", &Options::pilot_diameter),
    length("annular_ring_for_pins:", &Options::annular_ring_for_pins),
    length("annular_ring_for_vias:", &Options::annular_ring_for_vias),
    length("shrink_paste_mask:", &Options::shrink_paste_mask, Sets::kShrinkPasteMask),
    number("cam_flags:", &Options::cam_flags),
    number("cam_layers:", &Options::cam_layers),
    number("cam_drill_file:", &Options::cam_drill_file),
    number("cam_units:", &Options::cam_units),
    number("cam_n_x:", &Options::cam_n_x, Sets::kCamArray),
    number("cam_n_y:", &Options::cam_n_y, Sets::kCamArray),
    length("cam_space_x:", &Options::cam_space_x, Sets::kCamArray),
    length("cam_space_y:", &Options::cam_space_y, Sets::kCamArray),
    number("report_options:", &Options::report_options),
    number("drc_check_unrouted:", &Options::drc_check_unrouted),
    length("drc_trace_width:", &Options::drc_trace_width),
    length("drc_pad_pad:", &Options::drc_pad_pad),
    length("drc_pad_trace:", &Options::drc_pad_trace),
    length("drc_trace_trace:", &Options::drc_trace_trace),
    length("drc_hole_copper:", &Options::drc_hole_copper),
    length("drc_annular_ring_pins:", &Options::drc_annular_ring_pins),
    length("drc_annular_ring_vias:", &Options::drc_annular_ring_vias),
    length("drc_board_edge_copper:", &Options::drc_board_edge_copper),
    length("drc_board_edge_hole:", &Options::drc_board_edge_hole),
    length("drc_hole_hole:", &Options::drc_hole_hole),
    length("drc_copper_copper:", &Options::drc_copper_copper),
    length("default_trace_width:", &Options::default_trace_width),
    length("default_via_pad_width:", &Options::default_via_pad_width),
    length("default_via_hole_width:", &Options::default_via_hole_width),
    special("n_width_menu:", 13, 13, Kind::kWidthMenu),
    special("n_copper_layers:", 16, 16, Kind::kLayers),
};

void set_presence(Options& o, Sets sets) {
  switch (sets) {
    case Sets::kDsnSettings:
      o.dsn_settings_present = 1;
      break;
    case Sets::kShrinkPasteMask:
      o.shrink_paste_mask_present = 1;
      break;
    case Sets::kCamArray:
      o.cam_array_present = 1;
      break;
    case Sets::kNothing:
      break;
  }
}

void read_version(Options& o, const char* line) {
  // Boards of version 2 and above never come here: the load frame sends them to their own
  // reader (format_2x/load_2x.cpp) before this section is read.
  scan_values(text_at(line, 9), "%lf", &o.version);
  if (o.version > kTextExtraVersion) o.text_extra_present = 1;
  o.refdes_visibility_supported = o.version > kRefdesVisibilityVersion ? 1 : 0;
  if (o.version > kLatestTestedVersion) {
    print_message(
        "\n\nCaution: Loading an untested version Korvel file:\n Loading: V%1.3lf, "
        "Latest Tested: V%1.3lf\n\n",
        o.version, kLatestTestedVersion);
  }
}

void read_file_version(Options& o, const char* line) {
  scan_values(text_at(line, 13), "%lf", &o.file_version);
  if (o.file_version >= 1.312 && o.file_version <= 1.34401) return;
  const std::string shown =
      o.file_version >= 0.1 ? format_text("%1.3lf", o.file_version) : "<Unknown>";
  print_message(
      "\n\nWarning: Loading Korvel file format version %s.\n         This may cause "
      "problems...\n\n",
      shown.c_str());
}

// The first blank-delimited word of `s`, as "%s" would take it; empty when there is none.
std::string first_word(const char* s) {
  while (*s != '\0' && std::isspace(static_cast<unsigned char>(*s))) ++s;
  const char* end = s;
  while (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) ++end;
  return std::string(s, static_cast<size_t>(end - s));
}

void read_grid(LineReader& in, Grid& grid, const char* line) {
  // A grid line without a colon carries no spacing; the grid keeps the one it had.
  if (const char* colon = std::strchr(line, ':')) {
    if (scan_values(colon + 1, "%lf", &grid.spacing) == 1) grid.spacing *= kNmToInch;
  }
  grid.items.clear();
  for (;;) {
    const char* item = in.read_line();
    if (item == nullptr) return;  // the section loop meets the end of the text next
    const char* colon = std::strchr(item, ':');
    if (colon == nullptr) return;
    std::string word = first_word(colon + 1);
    if (word.empty()) fatal_error(Err::grid_item_bad);
    grid.items.push_back(std::move(word));
  }
}

void read_width_menu_items(LineReader& in, Options& o, uint32_t n_width_menu) {
  // The menu grows as its records are read, so a count larger than the file ends in the error
  // for missing records, never in a huge allocation.
  o.width_menu.clear();
  for (uint32_t i = 0; i < n_width_menu; ++i) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(Err::width_menu_eof);
    line = skip_blanks(line);
    if (!starts_with(line, "width_menu_item:")) break;
    WidthMenuItem item;
    if (scan_values(text_at(line, 16), "%*u %lf %lf %lf", &item.lengths[0], &item.lengths[1],
                    &item.lengths[2]) < 3) {
      fatal_error(Err::width_menu_item_bad);
    }
    for (double& v : item.lengths) v *= kNmToInch;
    o.width_menu.push_back(item);
  }
  if (o.width_menu.size() < n_width_menu) fatal_error(Err::width_menu_short);
}

void read_layer_list(LineReader& in, Board& board) {
  Options& o = board.options;
  uint32_t read = 0;
  while (read < kMaxLayers) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(Err::layer_list_eof);
    line = skip_blanks(line);
    if (!starts_with(line, "layer_info:")) break;
    Layer& layer = o.layers[read];
    if (std::strchr(line, '"') == nullptr) fatal_error(Err::layer_info_unquoted);
    extract_quoted(layer.name, line);
    uint32_t info[4];
    if (scan_values(after_last_quote(line), "%*u %u %u %u %u", &info[0], &info[1], &info[2],
                    &info[3]) < 4) {
      fatal_error(Err::layer_info_short);
    }
    for (int i = 0; i < 4; ++i) layer.info[i] = static_cast<uint8_t>(info[i]);
    if (layer.name == "top copper") board.top_copper_index = static_cast<int>(read);
    ++read;
  }
  // Summed without wrap-around: a count near 2^32 must not pass as a small one.
  if (static_cast<uint64_t>(o.n_copper_layers) + static_cast<uint64_t>(board.top_copper_index) !=
      read) {
    fatal_error(Err::layer_missing);
  }
}

}  // namespace

void read_options(LoadContext& ctx) {
  LineReader& in = ctx.in;
  Options& o = ctx.board.options;
  uint32_t n_width_menu = 0;
  in.rewind();
  for (;;) {
    const char* raw = in.read_line();
    if (raw == nullptr) fatal_error(Err::options_eof);
    const char* line = skip_blanks(raw);
    if (*line == '\0' || starts_with(line, "[options]")) continue;
    if (is_other_header(line, "[options]")) return;
    const Record* record = nullptr;
    for (const Record& r : kRecords) {
      if (std::strncmp(line, r.keyword, r.compared) == 0) {
        record = &r;
        break;
      }
    }
    if (record == nullptr) {
      print_message(
          "\nWarning - Unknown record type found in [options] section was kept "
          "unchanged:\n    %s-%u: %s\n",
          ctx.file_name.c_str(), in.line_number(), line);
      o.unknown_records.emplace_back(line);
      continue;
    }
    set_presence(o, record->sets);
    const char* at = text_at(line, record->start);
    switch (record->kind) {
      case Kind::kLength:
        if (scan_values(at, "%lf", &(o.*record->length)) == 1) o.*record->length *= kNmToInch;
        break;
      case Kind::kUnsigned:
        scan_values(at, "%u", &(o.*record->number));
        break;
      case Kind::kQuoted:
        // A line without any quote leaves the field as it was.
        extract_quoted(o.*record->text, line);
        break;
      case Kind::kVersion:
        read_version(o, line);
        break;
      case Kind::kFileVersion:
        read_file_version(o, line);
        break;
      case Kind::kUnits:
        o.units = record->units;
        break;
      case Kind::kGrid:
        read_grid(in, o.*record->grid, line);
        break;
      case Kind::kWidthMenu:
        scan_values(at, "%u", &n_width_menu);
        read_width_menu_items(in, o, n_width_menu);
        break;
      case Kind::kLayers:
        if (scan_values(at, "%u", &o.n_copper_layers) != 1) {
          fatal_error(Err::copper_layer_count_bad);
        }
        read_layer_list(in, ctx.board);
        break;
    }
  }
}

namespace {

void write_grid(Output& out, const char* name, const Grid& grid, bool after_blank) {
  out.print("%s%s_spacing: %1.6lf\n", after_blank ? "\n" : "", name, grid.spacing * kInchToNm);
  for (const std::string& item : grid.items) out.print("  %s_item: %s\n", name, item.c_str());
}

}  // namespace

void write_options(Output& out, const Board& board) {
  const Options& o = board.options;
  out.put("[options]\n\n");
  out.print("version: %5.3lf\n", o.version);
  out.print("file_version: %5.3lf\n", o.file_version);
  out.print("project_name: \"%s\"\n", o.project_name.c_str());
  out.print("full_library_folder: \"%s\"\n", o.full_library_folder.c_str());
  out.print("CAM_folder: \"%s\"\n", o.CAM_folder.c_str());
  if (o.dsn_settings_present) {
    out.print("ses_file_path: \"%s\"\n", o.ses_file_path.c_str());
    out.print("netlist_file_path: \"%s\"\n", o.netlist_file_path.c_str());
    if (o.version > kSmtConnectVersion) {
      out.print("SMT_connect_copper: \"%u\"\n", o.SMT_connect_copper);
    }
    if (o.version > kGlueWidthVersion) {
      out.print("default_glue_width: \"%u\"\n", size_to_nm(o.default_glue_width));
    }
    out.print("dsn_flags: \"%1u\"\n", o.dsn_flags);
    out.print("dsn_bounds_poly: \"%1u\"\n", o.dsn_bounds_poly);
    out.print("dsn_signals_poly: \"%1u\"\n", o.dsn_signals_poly);
  } else {
    out.print("netlist_file_path: \"%s\"\n", o.netlist_file_path.c_str());
  }
  out.print("autosave_interval: %1u\n", o.autosave_interval);
  for (const std::string& record : o.unknown_records) {
    out.put(record.c_str());
    out.put("\n");
  }
  out.print("netlist_import_flags: %1u\n", o.netlist_import_flags);
  out.print("units: %s\n\n", o.units == 2 ? "MIL" : "MM");

  write_grid(out, "visible_grid", o.visible_grid, false);
  write_grid(out, "placement_grid", o.placement_grid, true);
  write_grid(out, "routing_grid", o.routing_grid, true);
  out.print("\nsnap_angle: %u\n\n", o.snap_angle);
  write_grid(out, "fp_visible_grid", o.fp_visible_grid, false);
  write_grid(out, "fp_placement_grid", o.fp_placement_grid, true);
  out.print("\nfp_snap_angle: %u\n\n", o.fp_snap_angle);

  out.print("fill_clearance: %u\n", size_to_nm(o.fill_clearance));
  out.print("mask_clearance: %u\n", size_to_nm(o.mask_clearance));
  out.print("thermal_width: %u\n", size_to_nm(o.thermal_width));
  out.print("min_silkscreen_width: %u\n", size_to_nm(o.min_silkscreen_width));
  out.print("board_outline_width: %u\n", size_to_nm(o.board_outline_width));
  out.print("hole_clearance: %u\n", size_to_nm(o.hole_clearance));
  out.print("pilot_diameter: %u\n", size_to_nm(o.pilot_diameter));
  out.print("annular_ring_for_pins: %u\n", size_to_nm(o.annular_ring_for_pins));
  out.print("annular_ring_for_vias: %u\n", size_to_nm(o.annular_ring_for_vias));
  if (o.shrink_paste_mask_present) {
    out.print("shrink_paste_mask: %u\n", size_to_nm(o.shrink_paste_mask));
  }
  out.print("cam_flags: %u\n", o.cam_flags);
  out.print("cam_layers: %u\n", o.cam_layers);
  out.print("cam_drill_file: %u\n", o.cam_drill_file);
  out.print("cam_units: %u\n", o.cam_units);
  if (o.cam_array_present) {
    out.print("cam_n_x: %u\n", o.cam_n_x);
    out.print("cam_n_y: %u\n", o.cam_n_y);
    out.print("cam_space_x: %u\n", size_to_nm(o.cam_space_x));
    out.print("cam_space_y: %u\n", size_to_nm(o.cam_space_y));
  }
  if (o.version > kSmtConnectVersion) {
    out.print("\nreport_options: %u\n", o.report_options);
  } else {
    out.put("\n");
  }
  out.print("drc_check_unrouted: %u\n", o.drc_check_unrouted);
  out.print("drc_trace_width: %u\n", size_to_nm(o.drc_trace_width));
  out.print("drc_pad_pad: %u\n", size_to_nm(o.drc_pad_pad));
  out.print("drc_pad_trace: %u\n", size_to_nm(o.drc_pad_trace));
  out.print("drc_trace_trace: %u\n", size_to_nm(o.drc_trace_trace));
  out.print("drc_hole_copper: %u\n", size_to_nm(o.drc_hole_copper));
  out.print("drc_annular_ring_pins: %u\n", size_to_nm(o.drc_annular_ring_pins));
  out.print("drc_annular_ring_vias: %u\n", size_to_nm(o.drc_annular_ring_vias));
  out.print("drc_board_edge_copper: %u\n", size_to_nm(o.drc_board_edge_copper));
  out.print("drc_board_edge_hole: %u\n", size_to_nm(o.drc_board_edge_hole));
  out.print("drc_hole_hole: %u\n", size_to_nm(o.drc_hole_hole));
  out.print("drc_copper_copper: %u\n\n", size_to_nm(o.drc_copper_copper));
  out.print("default_trace_width: %u\n", size_to_nm(o.default_trace_width));
  out.print("default_via_pad_width: %u\n", size_to_nm(o.default_via_pad_width));
  out.print("default_via_hole_width: %u\n", size_to_nm(o.default_via_hole_width));
  out.print("n_width_menu: %u\n", static_cast<uint32_t>(o.width_menu.size()));
  for (size_t i = 0; i < o.width_menu.size(); ++i) {
    const WidthMenuItem& item = o.width_menu[i];
    out.print("  width_menu_item: %u %u %u %u\n", static_cast<uint32_t>(i + 1),
              size_to_nm(item.lengths[0]), size_to_nm(item.lengths[1]),
              size_to_nm(item.lengths[2]));
  }
  out.print("\nn_copper_layers: %u\n", o.n_copper_layers);
  // The list is written as it was read: the non-copper layers up to "top copper", then the
  // copper layers, so the written board loads again wherever "top copper" stands.
  const uint64_t n_layers = std::min<uint64_t>(
      kMaxLayers, static_cast<uint64_t>(o.n_copper_layers) +
                      static_cast<uint64_t>(std::max(0, board.top_copper_index)));
  for (uint64_t k = 0; k < n_layers; ++k) {
    const Layer& layer = o.layers[k];
    out.print("  layer_info: \"%s\" %u %u %u %u %u\n", layer.name.c_str(), static_cast<uint32_t>(k),
              layer.info[0], layer.info[1], layer.info[2], layer.info[3]);
  }
}
