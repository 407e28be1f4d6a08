#include "format_1x/options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "board/dialect.h"
#include "format_1x/test_support.h"

namespace {

// An [options] section exactly as the writer writes it: every record, three board grids and two
// footprint grids with items, a width menu and 16 layers (4 copper).
const std::string kRichOptions = crlf({
    "[options]",
    "",
    "version: 1.352",
    "file_version: 1.344",
    "project_name: \"Motor controller rev C\"",
    "full_library_folder: \"C:\\Korvel\\lib\"",
    "CAM_folder: \"C:\\boards\\motor\\cam\"",
    "ses_file_path: \"C:\\boards\\motor\\motor.ses\"",
    "netlist_file_path: \"C:\\boards\\motor\\motor.net\"",
    "SMT_connect_copper: \"1\"",
    "default_glue_width: \"381000\"",
    "dsn_flags: \"3\"",
    "dsn_bounds_poly: \"0\"",
    "dsn_signals_poly: \"1\"",
    "autosave_interval: 5",
    "netlist_import_flags: 1234",
    "units: MIL",
    "",
    "visible_grid_spacing: 2540000.000000",
    "  visible_grid_item: 100",
    "  visible_grid_item: 50",
    "",
    "placement_grid_spacing: 1270000.000000",
    "  placement_grid_item: 50",
    "",
    "routing_grid_spacing: 635000.000000",
    "  routing_grid_item: 25",
    "  routing_grid_item: 12.5",
    "  routing_grid_item: 0.1mm",
    "",
    "snap_angle: 45",
    "",
    "fp_visible_grid_spacing: 254000.000000",
    "  fp_visible_grid_item: 10",
    "",
    "fp_placement_grid_spacing: 127000.000000",
    "  fp_placement_grid_item: 5",
    "",
    "fp_snap_angle: 90",
    "",
    "fill_clearance: 254000",
    "mask_clearance: 101600",
    "thermal_width: 254000",
    "min_silkscreen_width: 127000",
    "board_outline_width: 254000",
    "hole_clearance: 381000",
    "pilot_diameter: 254000",
    "annular_ring_for_pins: 177800",
    "annular_ring_for_vias: 127000",
    "shrink_paste_mask: 50800",
    "cam_flags: 17",
    "cam_layers: 4095",
    "cam_drill_file: 1",
    "cam_units: 2",
    "cam_n_x: 2",
    "cam_n_y: 3",
    "cam_space_x: 2540000",
    "cam_space_y: 5080000",
    "",
    "report_options: 7",
    "drc_check_unrouted: 1",
    "drc_trace_width: 152400",
    "drc_pad_pad: 203200",
    "drc_pad_trace: 203200",
    "drc_trace_trace: 203200",
    "drc_hole_copper: 381000",
    "drc_annular_ring_pins: 177800",
    "drc_annular_ring_vias: 127000",
    "drc_board_edge_copper: 508000",
    "drc_board_edge_hole: 762000",
    "drc_hole_hole: 635000",
    "drc_copper_copper: 254000",
    "",
    "default_trace_width: 254000",
    "default_via_pad_width: 711200",
    "default_via_hole_width: 381000",
    "n_width_menu: 2",
    "  width_menu_item: 1 254000 711200 381000",
    "  width_menu_item: 2 508000 1016000 508000",
    "",
    "n_copper_layers: 4",
    "  layer_info: \"selection\" 0 0 255 255 1",
    "  layer_info: \"background\" 1 0 0 0 1",
    "  layer_info: \"visible grid\" 2 255 255 255 1",
    "  layer_info: \"highlight\" 3 255 255 255 1",
    "  layer_info: \"DRE\" 4 255 128 64 1",
    "  layer_info: \"board outline\" 5 0 0 255 1",
    "  layer_info: \"top silk\" 6 255 255 0 1",
    "  layer_info: \"bottom silk\" 7 255 192 192 1",
    "  layer_info: \"top sm cutout\" 8 0 255 255 0",
    "  layer_info: \"bot sm cutout\" 9 0 255 255 0",
    "  layer_info: \"thru pad\" 10 0 0 255 1",
    "  layer_info: \"top notes\" 11 255 0 255 1",
    "  layer_info: \"top copper\" 12 0 255 0 1",
    "  layer_info: \"bottom copper\" 13 192 64 64 1",
    "  layer_info: \"inner 1\" 14 128 128 0 1",
    "  layer_info: \"inner 2\" 15 0 128 128 1",
});

// The options text up to the layer list, for fixtures that only change a record or two.
std::string options_with(const std::string& records) {
  return records + "n_copper_layers: 2\r\n" +
         crlf({"layer_info: \"top silk\" 0 1 2 3 4", "layer_info: \"bottom silk\" 1 0 0 0 0",
               "layer_info: \"l2\" 2 0 0 0 0", "layer_info: \"l3\" 3 0 0 0 0",
               "layer_info: \"l4\" 4 0 0 0 0", "layer_info: \"l5\" 5 0 0 0 0",
               "layer_info: \"l6\" 6 0 0 0 0", "layer_info: \"l7\" 7 0 0 0 0",
               "layer_info: \"l8\" 8 0 0 0 0", "layer_info: \"l9\" 9 0 0 0 0",
               "layer_info: \"l10\" 10 0 0 0 0", "layer_info: \"l11\" 11 0 0 0 0",
               "layer_info: \"top copper\" 12 0 0 0 0",
               "layer_info: \"bottom copper\" 13 0 0 0 0"});
}

// The options part of a written board.
std::string written_options(const Board& board) {
  Output out;
  write_options(out, board);
  return out.text();
}

struct Loaded {
  Board board;
  std::string messages;
};

Loaded load_capturing(const std::string& text) {
  testing::internal::CaptureStderr();
  Loaded loaded{load_text(text), ""};
  loaded.messages = testing::internal::GetCapturedStderr();
  return loaded;
}

}  // namespace

TEST(Options, RichSectionComesBackByteIdentical) {
  const std::string board = kRichOptions + "\r\n[footprints]\r\n" +
                            "[board]\r\n[solder_mask_cutouts]\r\n[parts]\r\n[nets]\r\n" +
                            "[texts]\r\n[end]\r\n";
  const Loaded loaded = load_capturing(board);
  EXPECT_EQ(loaded.messages, "");
  EXPECT_EQ(written_options(loaded.board), kRichOptions);
  const Options& o = loaded.board.options;
  EXPECT_EQ(o.routing_grid.items.size(), 3u);
  EXPECT_EQ(o.cam_n_x, 2u);
  EXPECT_EQ(o.cam_n_y, 3u);
  EXPECT_EQ(loaded.board.top_copper_index, 12);
  EXPECT_EQ(find_layer(loaded.board, "inner 2"), 15);
  EXPECT_EQ(find_layer(loaded.board, "Inner 2"), -1);
  EXPECT_DOUBLE_EQ(o.fill_clearance, 0.01);
}

TEST(Options, VersionThresholdsOnBothSides) {
  const struct {
    const char* version;
    int text_extra;
    int visibility;
    bool smt_and_report;
    bool glue;
    bool caution;
  } cases[] = {
      {"1.331", 0, 0, false, false, false}, {"1.332", 1, 0, false, false, false},
      {"1.338", 1, 0, false, false, false}, {"1.339", 1, 0, true, false, false},
      {"1.343", 1, 0, true, false, false},  {"1.344", 1, 0, true, true, false},
      {"1.346", 1, 0, true, true, false},   {"1.347", 1, 1, true, true, false},
      {"1.355", 1, 1, true, true, false},   {"1.356", 1, 1, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    const std::string records =
        std::string("version: ") + c.version + "\r\nses_file_path: \"s\"\r\n";
    const Loaded loaded = load_capturing(board_with(options_with(records)));
    EXPECT_EQ(loaded.board.options.text_extra_present, c.text_extra);
    EXPECT_EQ(loaded.board.options.refdes_visibility_supported, c.visibility);
    const std::string written = written_options(loaded.board);
    EXPECT_EQ(written.find("SMT_connect_copper") != std::string::npos, c.smt_and_report);
    EXPECT_EQ(written.find("report_options") != std::string::npos, c.smt_and_report);
    EXPECT_EQ(written.find("default_glue_width") != std::string::npos, c.glue);
    const std::string caution = std::string(
                                    "\n\nCaution: Loading an untested version Korvel file:\n "
                                    "Loading: V") +
                                c.version + ", Latest Tested: V1.355\n\n";
    EXPECT_EQ(loaded.messages, c.caution ? caution : "");
  }
}

TEST(Options, FileVersionWarnings) {
  const struct {
    const char* record;
    const char* shown;  // nullptr: no warning
  } cases[] = {
      {"file_version: 1.312\r\n", nullptr}, {"file_version: 1.344\r\n", nullptr},
      {"file_version: 1.345\r\n", "1.345"}, {"file_version: 1.311\r\n", "1.311"},
      {"file_version: 0\r\n", "<Unknown>"}, {"file_version: junk\r\n", "<Unknown>"},
      {"file_version: 0.1\r\n", "0.100"},   {"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    const Loaded loaded = load_capturing(board_with(options_with(c.record)));
    const std::string expected =
        c.shown ? std::string("\n\nWarning: Loading Korvel file format version ") + c.shown +
                      ".\n         This may cause problems...\n\n"
                : "";
    EXPECT_EQ(loaded.messages, expected);
  }
}

TEST(Options, UnknownRecordWarnsWithLineAndIsKept) {
  const Loaded loaded =
      load_capturing(board_with(options_with("  version: 1.350\r\nunits:MM\r\n\tgizmo: 3\r\n")));
  EXPECT_EQ(loaded.messages,
            "\nWarning - Unknown record type found in [options] section was kept unchanged:\n"
            "    t.krv-3: units:MM\n"
            "\nWarning - Unknown record type found in [options] section was kept unchanged:\n"
            "    t.krv-4: gizmo: 3\n");
  EXPECT_DOUBLE_EQ(loaded.board.options.version, 1.35);
  // Written in the order read, without their leading blanks, right after autosave_interval.
  const std::string out = written_options(loaded.board);
  EXPECT_NE(out.find("autosave_interval: 0\r\nunits:MM\r\ngizmo: 3\r\nnetlist_import_flags: 0\r\n"),
            std::string::npos)
      << out;
}

TEST(Options, NewerEditorRecordsComeBackWhereTheEditorWritesThem) {
  // A newer editor writes two records of its own after autosave_interval.
  std::string options = kRichOptions;
  const std::string autosave = "autosave_interval: 5\r\n";
  options.insert(options.find(autosave) + autosave.size(),
                 "auto_ratline_disable: 0\r\nauto_ratline_disable_min_pins: 100\r\n");
  const std::string board = options + "\r\n[footprints]\r\n" +
                            "[board]\r\n[solder_mask_cutouts]\r\n[parts]\r\n[nets]\r\n" +
                            "[texts]\r\n[end]\r\n";
  const Loaded loaded = load_capturing(board);
  EXPECT_EQ(loaded.messages,
            "\nWarning - Unknown record type found in [options] section was kept unchanged:\n"
            "    t.krv-16: auto_ratline_disable: 0\n"
            "\nWarning - Unknown record type found in [options] section was kept unchanged:\n"
            "    t.krv-17: auto_ratline_disable_min_pins: 100\n");
  EXPECT_EQ(written_options(loaded.board), options);
}

TEST(Options, ScanPositionsAndPrefixes) {
  const Loaded loaded = load_capturing(board_with(
      options_with("version:1.354\r\n"          // no blank: the first digit is skipped
                   "netlist_imporXYZ 77\r\n"    // compared on 13 characters, scanned from 21
                   "SMT_connect_copper: 5\r\n"  // no quote: scanned two past the colon, fails
                   "units: MMX\r\n"
                   "netlist_file_path: \"" +
                   std::string(300, 'n') + "\"\r\n")));
  const Options& o = loaded.board.options;
  EXPECT_DOUBLE_EQ(o.version, 0.354);
  EXPECT_EQ(o.netlist_import_flags, 0u);
  EXPECT_EQ(o.SMT_connect_copper, 0u);
  EXPECT_EQ(o.units, 1u);
  EXPECT_EQ(o.netlist_file_path, std::string(300, 'n'));  // never cut
  const std::string written = written_options(loaded.board);
  EXPECT_NE(written.find("netlist_file_path: \"" + std::string(300, 'n') + "\"\r\n"),
            std::string::npos);
  // Without dsn settings netlist_file_path follows CAM_folder directly.
  EXPECT_NE(written.find("CAM_folder: \"\"\r\nnetlist_file_path:"), std::string::npos);
}

TEST(Options, GridsRunIntoEachOtherWithoutBlankLine) {
  const Loaded loaded = load_capturing(board_with(options_with(crlf({
      "visible_grid_spacing: 2540000",
      "  visible_grid_item: 100",
      "placement_grid_spacing: 1270000",
      "  placement_grid_item: 50",
      "",
  }))));
  const Options& o = loaded.board.options;
  EXPECT_EQ(o.visible_grid.items, (std::vector<std::string>{"100", "1270000", "50"}));
  EXPECT_TRUE(o.placement_grid.items.empty());
  EXPECT_DOUBLE_EQ(o.visible_grid.spacing, 0.1);
}

TEST(Options, LayerValuesAndNames) {
  std::string layers = "n_copper_layers: 2\r\n";
  for (int k = 0; k < 14; ++k) {
    const std::string name = k == 12   ? "top copper"
                             : k == 3  ? std::string(40, 'L')
                             : k == 13 ? "Top Copper"
                                       : "layer " + std::to_string(k);
    layers += "  layer_info: \"" + name + "\" " + std::to_string(k) + " 300 1 2 3\r\n";
  }
  const Loaded loaded = load_capturing(board_with(layers));
  EXPECT_EQ(loaded.board.options.layers[0].info[0], 44);  // low 8 bits of 300
  EXPECT_EQ(loaded.board.options.layers[3].name, std::string(40, 'L'));
  EXPECT_EQ(loaded.board.top_copper_index, 12);  // "Top Copper" does not count
  const std::string written = written_options(loaded.board);
  EXPECT_NE(written.find("  layer_info: \"" + std::string(40, 'L') + "\" 3 44 1 2 3\r\n"),
            std::string::npos);
}

TEST(Options, TopCopperElsewhereIsWrittenAsRead) {
  // "top copper" at index 3 with 2 copper layers: five layer records read, five written, so
  // the written board loads again.
  std::string layers = "n_copper_layers: 2\r\n";
  for (int k = 0; k < 5; ++k) {
    layers += "layer_info: \"" + std::string(k == 3 ? "top copper" : "x") + "\" " +
              std::to_string(k) + " 0 0 0 0\r\n";
  }
  const Loaded loaded = load_capturing(board_with(layers));
  EXPECT_EQ(loaded.board.top_copper_index, 3);
  const std::string written = board_text(loaded.board);
  size_t records = 0;
  for (size_t at = 0; (at = written.find("layer_info:", at)) != std::string::npos; ++at) ++records;
  EXPECT_EQ(records, 5u);
  EXPECT_EQ(board_text(load_text(written)), written);
}

TEST(Options, EmptySectionWritesDefaults) {
  Board board = load_text(board_with(""));
  const std::string written = written_options(board);
  EXPECT_EQ(written.substr(0, 48), "[options]\r\n\r\nversion: 0.000\r\nfile_version: 0.000");
  EXPECT_NE(written.find("units: MM\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nn_copper_layers: 0\r\n"), std::string::npos);
}

TEST(Options, FatalErrors) {
  const struct {
    std::string options;
    int code;
    const char* message;
  } cases[] = {
      {"visible_grid_spacing: 1\r\n  visible_grid_item:\r\n", 10245, "bad grid item record"},
      {"n_width_menu: 2\r\n  width_menu_item: 1 2 3 4\r\n", 0, nullptr},  // see below
      {"n_width_menu: 1\r\n  width_menu_item: 1 2 3\r\n", 11308, "bad width menu item record"},
      {"n_width_menu: 3\r\n  width_menu_item: 1 2 3 4\r\n\r\n", 11318, "reading width list"},
      {"n_width_menu: 4000000000\r\n  width_menu_item: 1 2 3 4\r\nx\r\n", 11318,
       "reading width list"},
      {"n_copper_layers: many\r\n", 11330, "bad n_copper_layers: record"},
      {"n_copper_layers: 2\r\n  layer_info: top 0 0 0 0 0\r\n", 11349, "bad layer_info: record"},
      {"n_copper_layers: 2\r\n  layer_info: \"top\" 0 1 2 3\r\n", 11357, "bad layer_info: record"},
      {"n_copper_layers: 3\r\n  layer_info: \"a\" 0 1 2 3 4\r\n\r\n", 11366,
       "missing layer reading layer list"},
      // 4294967294 + 12 wraps to 10 in 32 bits; the check is made without wrap-around.
      {"n_copper_layers: 4294967294\r\n" +
           crlf({"layer_info: \"a\" 0 0 0 0 0", "layer_info: \"a\" 1 0 0 0 0",
                 "layer_info: \"a\" 2 0 0 0 0", "layer_info: \"a\" 3 0 0 0 0",
                 "layer_info: \"a\" 4 0 0 0 0", "layer_info: \"a\" 5 0 0 0 0",
                 "layer_info: \"a\" 6 0 0 0 0", "layer_info: \"a\" 7 0 0 0 0",
                 "layer_info: \"a\" 8 0 0 0 0", "layer_info: \"a\" 9 0 0 0 0", ""}),
       11366, "missing layer reading layer list"},
  };
  for (const auto& c : cases) {
    if (c.code == 0) continue;
    SCOPED_TRACE(c.options);
    std::string message;
    EXPECT_EQ(load_error(board_with(c.options), &message), c.code);
    EXPECT_EQ(message, c.message);
  }
  // End of the text inside the options section, the width menu and the layer list.
  const struct {
    std::string text;
    int code;
    const char* message;
  } eof_cases[] = {
      {"[options]\r\nversion: 1.3\r\n", 11393, "premature EOF reading KRV options"},
      {"[options]\r\nvisible_grid_spacing: 1\r\n  item: 2\r\n", 11393,
       "premature EOF reading KRV options"},
      {"[options]\r\nn_width_menu: 2\r\n  width_menu_item: 1 2 3 4\r\n", 11296,
       "premature EOF reading width menu"},
      {"[options]\r\nn_copper_layers: 2\r\n  layer_info: \"a\" 0 1 2 3 4\r\n", 11337,
       "premature EOF"},
  };
  for (const auto& c : eof_cases) {
    SCOPED_TRACE(c.text);
    std::string message;
    EXPECT_EQ(load_error(c.text, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Options, ErrorsSayWhere) {
  std::string location;
  EXPECT_EQ(load_error("[options]\r\n\r\nn_copper_layers: x\r\n", nullptr, &location), 11330);
  EXPECT_EQ(location, "  at line 3 of \"t.krv\"\n");
}

// Nothing of one board reaches the next, the top copper index included.
TEST(Board, ReleaseResetsEverything) {
  Board board =
      load_text(board_with(options_with("version: 1.350\r\nnetlist_file_path: \"n\"\r\n")));
  board.top_copper_index = 5;
  release_board(board);
  EXPECT_EQ(board.top_copper_index, 12);
  EXPECT_DOUBLE_EQ(board.options.version, 0);
  EXPECT_EQ(board.options.refdes_visibility_supported, 0);
  EXPECT_EQ(board.options.netlist_file_path, "");
  EXPECT_EQ(board.options.layers[0].name, "");
}

TEST(Options, VersionTwoAndAboveTakesTheRoadOf2xBoards) {
  const struct {
    const char* record;
    bool is_2x;
  } cases[] = {
      {"version: 1.999", false}, {"version: 2.0", true},   {"version: 2.000001", true},
      {"version: 2.017", true},  {"version: 1e300", true}, {"version: inf", true},
      {"version: two", false},  // does not scan: the version stays 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    Board board;
    testing::internal::CaptureStderr();
    load_board_text(board, board_with(options_with(std::string(c.record) + "\r\n")), "t.krv",
                    RunFlags{});
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(board.source_2x.has_value(), c.is_2x);
  }
}
