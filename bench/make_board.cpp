// Writes a large, realistic board file for measuring the converter: every section, footprints
// in both units, parts on both sides at every rotation, nets with traces, vias and tees, copper
// areas with arcs and holes, outlines, cutouts and texts. The same seed and size always give
// the same file.
//
//   silkora_make_board OUTPUT SIZE_MB [SEED]
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::string g_out;

void put(const char* format, ...) __attribute__((format(printf, 1, 2)));
void put(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  for (int i = 0; i < n; ++i) {
    if (line[i] == '\n') g_out += '\r';
    g_out += line[i];
  }
}

void options() {
  put("[options]\n\nversion: 1.352\nfile_version: 1.344\nproject_name: \"bench\"\n");
  put("full_library_folder: \"C:\\Korvel\\lib\"\nCAM_folder: \"C:\\bench\\cam\"\n");
  put("ses_file_path: \"\"\nnetlist_file_path: \"C:\\bench\\bench.net\"\n");
  put("SMT_connect_copper: \"1\"\ndefault_glue_width: \"381000\"\ndsn_flags: \"0\"\n");
  put("dsn_bounds_poly: \"0\"\ndsn_signals_poly: \"1\"\nautosave_interval: 10\n");
  put("netlist_import_flags: 8\nunits: MIL\n\nvisible_grid_spacing: 2540000.000000\n");
  put("  visible_grid_item: 100\n  visible_grid_item: 50\n\nplacement_grid_spacing: "
      "1270000.000000\n  placement_grid_item: 50\n\nrouting_grid_spacing: 635000.000000\n");
  put("  routing_grid_item: 25\n\nsnap_angle: 45\n\nfp_visible_grid_spacing: 254000.000000\n");
  put("  fp_visible_grid_item: 10\n\nfp_placement_grid_spacing: 254000.000000\n");
  put("  fp_placement_grid_item: 10\n\nfp_snap_angle: 45\n\n");
  const char* lengths[] = {"fill_clearance: 254000", "mask_clearance: 101600",
                           "thermal_width: 254000", "min_silkscreen_width: 127000",
                           "board_outline_width: 254000", "hole_clearance: 381000",
                           "pilot_diameter: 254000", "annular_ring_for_pins: 177800",
                           "annular_ring_for_vias: 127000", "shrink_paste_mask: 0",
                           "cam_flags: 1", "cam_layers: 4095", "cam_drill_file: 0",
                           "cam_units: 0"};
  for (const char* l : lengths) put("%s\n", l);
  put("\nreport_options: 0\ndrc_check_unrouted: 0\ndrc_trace_width: 152400\n");
  put("drc_pad_pad: 203200\ndrc_pad_trace: 203200\ndrc_trace_trace: 203200\n");
  put("drc_hole_copper: 381000\ndrc_annular_ring_pins: 177800\ndrc_annular_ring_vias: 127000\n");
  put("drc_board_edge_copper: 508000\ndrc_board_edge_hole: 762000\ndrc_hole_hole: 635000\n");
  put("drc_copper_copper: 254000\n\ndefault_trace_width: 254000\ndefault_via_pad_width: 711200\n");
  put("default_via_hole_width: 381000\nn_width_menu: 2\n");
  put("  width_menu_item: 1 254000 711200 381000\n  width_menu_item: 2 508000 1016000 508000\n");
  const char* layers[] = {"selection",     "background",    "visible grid",  "highlight",
                          "DRE",           "board outline", "top silk",      "bottom silk",
                          "top sm cutout", "bot sm cutout", "thru pad",      "top notes",
                          "top copper",    "bottom copper", "inner 1",       "inner 2"};
  put("\nn_copper_layers: 4\n");
  for (int k = 0; k < 16; ++k) put("  layer_info: \"%s\" %d %d %d %d 1\n", layers[k], k, k * 16, 255 - k * 16, k * 8);
}

void footprints() {
  put("\n[footprints]\n");
  // A resistor in nanometres: two surface pins.
  put("\nname: \"R0603\"\nauthor: \"bench\"\n  units: NM\n  sel_rect: -1270000 -635000 1270000 635000\n");
  put("  ref_text: 762000 0 1016000 0 127000\n  value_text: 508000 0 -1016000 0 101600\n");
  put("  centroid: 0 0 0 0\n  outline_polyline: 152400 -1270000 -635000\n");
  put("    next_corner: 1270000 -635000 0\n    next_corner: 1270000 635000 0\n");
  put("    next_corner: -1270000 635000 0\n    close_polyline: 0\n  n_pins: 2\n");
  for (int p = 0; p < 2; ++p) {
    put("    pin: \"%d\" 0 %d 0 0\n      top_pad: 1 889000 444500 444500 0\n", p + 1, p ? 762000 : -762000);
    put("      top_mask: 1 990600 495300 495300 0\n      top_paste: 1 889000 444500 444500 0\n");
  }
  // A SOIC in mils: eight surface pins, a text and an adhesive dot.
  put("\nname: \"SOIC8\"\n  units: MIL\n  sel_rect: -130 -120 130 120\n  ref_text: 50 -100 130 0 7\n");
  put("  centroid: 1 0 0 90\n  adhesive: 0 20 0 0\n  text: \"pin 1\" 30 -120 -140 0 5 0 0\n");
  put("  outline_polyline: 8 -100 -80\n    next_corner: 100 -80 0\n    next_corner: 100 80 0\n");
  put("    next_corner: -100 80 1\n  n_pins: 8\n");
  for (int p = 0; p < 8; ++p) {
    put("    pin: \"%d\" 0 %d %d %d\n      top_pad: 2 24 40 40 0 1\n", p + 1,
        p < 4 ? -105 : 105, p < 4 ? -75 + 50 * p : 75 - 50 * (p - 4), p < 4 ? 0 : 180);
  }
  // A through-hole header in nanometres with inner pads and masks on both sides.
  put("\nname: \"HDR4\"\n  units: NM\n  sel_rect: -5080000 -1270000 5080000 1270000\n");
  put("  ref_text: 1016000 -3810000 1905000 90 152400\n  n_pins: 4\n");
  for (int p = 0; p < 4; ++p) {
    put("    pin: \"%d\" 1016000 %d 0 0\n", p + 1, -3810000 + 2540000 * p);
    put("      top_pad: %d 1727200 863600 863600 0\n      top_mask: 1 1828800 914400 914400 0\n", p ? 1 : 4);
    put("      inner_pad: 1 1727200 863600 863600 0 0\n      bottom_pad: 1 1727200 863600 863600 0\n");
    put("      bottom_mask: 1 1828800 914400 914400 0\n");
  }
  // A test point with only a bottom pad.
  put("\nname: \"TP\"\n  units: MIL\n  sel_rect: -40 -40 40 40\n  ref_text: 30 0 50 0 5\n  n_pins: 1\n");
  put("    pin: \"1\" 0 0 0 0\n      bottom_pad: 1 60 0 0 0\n      bottom_paste: 1 50 0 0 0\n");
}

void outlines(long width, long height) {
  put("\n[board]\n\noutline: 8 0\n");
  const long r = 2540000;
  const long corners[8][3] = {{r, 0, 0},          {width - r, 0, 2},      {width, r, 0},
                              {width, height - r, 2}, {width - r, height, 0}, {r, height, 2},
                              {0, height - r, 0}, {0, r, 2}};
  for (int i = 0; i < 8; ++i) put("  corner: %d %ld %ld %ld\n", i + 1, corners[i][0], corners[i][1], corners[i][2]);
  put("\n[solder_mask_cutouts]\n\nsm_cutout: 4 0 8\n");
  put("  corner: 1 5080000 5080000 0\n  corner: 2 10160000 5080000 0\n");
  put("  corner: 3 10160000 10160000 0\n  corner: 4 5080000 10160000 1\n");
}

struct Placed {
  std::string name;
  int footprint;
  long x, y;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT SIZE_MB [SEED]\n", argv[0]);
    return 2;
  }
  const double size_mb = std::atof(argv[2]);
  std::mt19937 random(argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 1u);
  // About 300 bytes of file per part with its share of the nets.
  const long n_parts = std::max(8L, static_cast<long>(size_mb * 1e6 / 300));
  const long columns = 200;
  const long pitch = 5080000;
  const long width = (columns + 2) * pitch;
  const long height = (n_parts / columns + 3) * pitch;

  options();
  footprints();
  outlines(width, height);

  static const char* kShapes[] = {"R0603", "SOIC8", "HDR4", "TP"};
  static const char* kPrefix[] = {"R", "U", "J", "TP"};
  static const int kPins[] = {2, 8, 4, 1};
  std::vector<Placed> placed;
  put("\n\n[parts]\n");
  for (long i = 0; i < n_parts; ++i) {
    const int fp = static_cast<int>(random() % 4);
    Placed p{std::string(kPrefix[fp]) + std::to_string(i + 1), fp, (i % columns + 1) * pitch,
             (i / columns + 1) * pitch};
    const int side = fp == 3 ? 1 : static_cast<int>(random() % 2);
    const int angle = static_cast<int>(i % 4) * 90;
    put("\npart: %s\n  ref_text: 762000 127000 %d %d %d 1\n  package: \"%s\"\n", p.name.c_str(),
        static_cast<int>(random() % 2) * 90, static_cast<int>(random() % 2000000) - 1000000, 1016000, kShapes[fp]);
    if (fp == 0) put("  value: \"%dk\" 508000 101600 0 0 -1016000 0\n", static_cast<int>(random() % 100) + 1);
    put("  shape: \"%s\"\n  pos: %ld %ld %d %d 0\n", kShapes[fp], p.x, p.y, side, angle);
    placed.push_back(p);
  }

  put("\n[nets]\n");
  // A ground net with a poured plane on inner 1: an outer contour with arc corners and holes.
  const long n_holes = std::max(1L, n_parts / 20);
  put("\nnet: \"GND\" 0 0 1 254000 711200 381000 1\n  area: 1 %ld 14 0\n", 4 + 4 * n_holes);
  put("    corner: 1 %d %d 0 0\n    corner: 2 %ld %d 2 0\n", 1270000, 1270000, width - 1270000, 1270000);
  put("    corner: 3 %ld %ld 0 0\n    corner: 4 %d %ld 1 1\n", width - 2540000, height - 1270000, 2540000, height - 1270000);
  for (long h = 0; h < n_holes; ++h) {
    const long x = pitch / 2 + (h % columns) * pitch;
    const long y = pitch / 2 + (h / columns) * pitch;
    const long s = 635000;
    put("    corner: %ld %ld %ld 0 0\n", 5 + 4 * h, x, y);
    put("    corner: %ld %ld %ld 2 0\n", 6 + 4 * h, x, y + s);
    put("    corner: %ld %ld %ld 0 0\n", 7 + 4 * h, x + s, y + 2 * s);
    put("    corner: %ld %ld %ld 0 1\n", 8 + 4 * h, x + s, y);
  }
  // Signal nets: pairs of neighbouring parts joined by a trace, some through a via.
  for (long i = 0; i + 1 < n_parts; i += 2) {
    const Placed& a = placed[static_cast<size_t>(i)];
    const Placed& b = placed[static_cast<size_t>(i + 1)];
    const int n_segs = 1 + static_cast<int>(random() % 3);
    put("\nnet: \"N%ld\" 2 1 0 254000 711200 381000 1\n", i / 2 + 1);
    put("  pin: 1 %s.1\n  pin: 2 %s.%d\n", a.name.c_str(), b.name.c_str(), kPins[b.footprint]);
    put("  connect: 1 0 1 %d 0\n", n_segs);
    for (int v = 0; v <= n_segs; ++v) {
      const long x = a.x + (b.x - a.x) * v / n_segs;
      const long y = a.y + (v % 2) * 1270000 - (v == n_segs ? (v % 2) * 1270000 : 0);
      const bool via = v > 0 && v < n_segs;
      put("    vtx: %d %ld %ld %d 0 %d %d %d\n", v + 1, x, y, 12 + (v % 2), via ? 711200 : 0,
          via ? 381000 : 0, via && (i % 10 == 0) ? v : 0);
      if (v < n_segs) put("    seg: %d %d 254000 0 0\n", v + 1, 12 + (v % 2));
    }
  }

  put("\n[texts]\n\n");
  for (long i = 0; i < std::max(4L, n_parts / 50); ++i) {
    put("text: \"NOTE %ld\" %ld %ld %d %d %d 1016000 127000 0\n\n", i + 1, (i % columns) * pitch + 254000,
        height - 2540000, i % 2 ? 7 : 6, static_cast<int>(i % 4) * 90, static_cast<int>(i % 2));
  }
  put("[end]\n");

  FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(g_out.data(), 1, g_out.size(), file) != g_out.size() ||
      std::fclose(file) != 0) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
