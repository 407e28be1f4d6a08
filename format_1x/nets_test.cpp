#include "format_1x/nets.h"

#include <gtest/gtest.h>

#include <string>

#include "format_1x/sections.h"
#include "format_1x/test_support.h"

namespace {

// A board whose [nets] section holds `nets`.
std::string board_of(const std::string& nets) {
  return board_with(
      "", "",
      "[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n[nets]\r\n" + nets + "\r\n");
}

std::string written(const Board& board) {
  Output out;
  write_nets(out, board);
  return out.text();
}

// Runs read_nets on `board` as it is (parts and footprints filled by hand) over `nets`.
void read_nets_into(Board& board, const std::string& nets) {
  LineReader in("[nets]\r\n" + nets + "[texts]\r\n[end]\r\n");
  const std::string name = "t.krv";
  LoadContext ctx{in, board, name, 0};
  read_nets(ctx);
}

// The error that reading one net's records raises when the text ends after `records`.
int net_records_error(const char* net_line, const std::string& records, std::string* message) {
  Board board;
  LineReader in(records);
  const std::string name = "t.krv";
  LoadContext ctx{in, board, name, 0};
  TeeIndex tees;
  try {
    read_net(ctx, board.nets.emplace_back(), net_line, tees);
  } catch (const FatalError& e) {
    *message = e.what();
    return e.code;
  }
  return 0;
}

}  // namespace

TEST(Nets, ReadAndWrittenBackWithTheSameIntegers) {
  const std::string section = crlf({
      "",
      "net: \"GND\" 2 2 0 254000 635000 -381000 1",
      "  pin: 1 U1.7",
      "  pin: 2 C3.2",
      "  connect: 1 0 -1 2 5",
      "    vtx: 1 -2540000 1270000 12 3 0 0 0",
      "    seg: 1 13 203200 4 6",
      "    vtx: 2 -1 -2147483647 14 0 1117600 508000 7",
      "    seg: 2 12 1 0 0",
      "    vtx: 3 2147483647 0 12 0 0 0 8",
      "  connect: 2 -1 3 0 0",
      "    vtx: 1 5 6 13 0 0 0 0",
      "",
      "net: \"+5V\" 0 0 0 0 0 0 0",
  });
  // Stray lines between nets are passed over; records may be indented with tabs.
  const Board board = load_text(board_of(crlf({
      "",
      "a stray line",
      "\tnet: \"GND\" 2 2 0 254000 635000 -381000 1",
      "pin: 1 U1.7",
      "\t pin: 9 C3.2 trailing words",
      "connect: 1 0 -1 2 5",
      "vtx: 1 -2540000 1270000 12 3 0 0 0",
      "seg: 1 13 203200 4 6",
      "vtx: 2 -1 -2147483647 14 0 1117600 508000 7",
      "seg: 2 12 1 0 0",
      "vtx: 3 2147483647 0 12 0 0 0 8",
      "connect: 2 -1 3 0 0",
      "vtx: 1 5 6 13 0 0 0 0",
      "; comment",
      "net: \"+5V\" 0 0 0 0 0 0 0",
  })));
  ASSERT_EQ(board.nets.size(), 2u);
  // Each net's pins and connections, and each connection's vertices, are one run in the
  // board's tables.
  const Net& gnd = board.nets[0];
  ASSERT_EQ(gnd.n_pins, 2u);
  EXPECT_EQ(board.net_pins.at(gnd.first_pin + 1).name, "C3.2");
  ASSERT_EQ(gnd.n_connects, 2u);
  const Connection& c = board.connections.at(gnd.first_connect);
  ASSERT_EQ(c.n_vertices(), 3u);
  EXPECT_DOUBLE_EQ(board.vertices.at(c.first_vertex).x, -0.1);
  EXPECT_DOUBLE_EQ(board.vertices.at(c.first_vertex).seg.width, 0.008);
  const Connection& second = board.connections.at(gnd.first_connect + 1);
  EXPECT_EQ(second.start_pin, 4294967295u);
  EXPECT_EQ(second.first_vertex, 3u);
  EXPECT_EQ(board.vertices.at(second.first_vertex).x * kInchToNm, 5);
  EXPECT_EQ(board.nets[1].n_pins, 0u);
  EXPECT_EQ(board.nets[1].n_connects, 0u);
  EXPECT_EQ(board.vertices.size(), 4u);
  // Sizes are unsigned: a negative via hole size (-381000 + 0.5 cut to -380999) wraps, and then
  // stays the same on every further write. start_pin is written signed and reads back the same.
  std::string expected = "\r\n[nets]\r\n" + section;
  const std::string wrapped = "635000 4294586297 1";
  expected.replace(expected.find("635000 -381000 1"), 16, wrapped);
  EXPECT_EQ(written(board), expected);
  // And what was written (its nets, after the section header) reads back to the same text.
  const std::string header = "\r\n[nets]\r\n";
  EXPECT_EQ(written(load_text(board_of(written(board).substr(header.size())))), expected);
}

TEST(Nets, EmptySection) {
  const Board board = load_text(board_of(""));
  EXPECT_TRUE(board.nets.empty());
  EXPECT_EQ(written(board), "\r\n[nets]\r\n");
}

TEST(Nets, TeeIdentifiersNameOnePlacePerNet) {
  const auto net = [](const char* name, const char* second_vertex) {
    return crlf({name, "connect: 1 0 0 1 0", "vtx: 1 100 200 12 0 0 0 3", "seg: 1 12 10 0 0",
                 "vtx: 2 0 0 12 0 0 0 0", "connect: 2 0 0 0 0", second_vertex});
  };
  const struct {
    std::string nets;
    int code;
  } cases[] = {
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 100 200 12 0 0 0 3"), 0},
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 101 200 12 0 0 0 3"), 12269},
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 100 199 12 0 0 0 3"), 12274},
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 101 199 12 0 0 0 3"), 12269},
      // Another identifier anywhere is another tee.
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 9 9 12 0 0 0 4"), 0},
      // The same identifier in another net is that net's own.
      {net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 100 200 12 0 0 0 3") +
           net("net: \"B\" 0 2 0 0 0 0 0", "vtx: 1 100 200 12 0 0 0 3") +
           crlf({"net: \"C\" 0 1 0 0 0 0 0", "connect: 1 0 0 0 0", "vtx: 1 7 8 12 0 0 0 3"}),
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nets);
    std::string message;
    EXPECT_EQ(load_error(board_of(c.nets), &message), c.code);
    if (c.code == 12269) {
      EXPECT_EQ(message, "Tee X value changed");
    } else if (c.code == 12274) {
      EXPECT_EQ(message, "Tee Y value changed");
    }
  }
  // The identifiers stay with their vertices as they were read.
  const Board board = load_text(board_of(net("net: \"A\" 0 2 0 0 0 0 0", "vtx: 1 9 9 12 0 0 0 4")));
  ASSERT_EQ(board.vertices.size(), 3u);
  EXPECT_EQ(board.vertices[0].tee_id, 3u);
  EXPECT_EQ(board.vertices[2].tee_id, 4u);
}

TEST(Nets, FatalErrorsWhileLoading) {
  const std::string net = "net: \"A\" 1 1 0 0 0 0 0";
  const struct {
    std::string text;
    int code;
    const char* message;
  } cases[] = {
      {"[options]\r\n[footprints]\r\n[board]\r\n[solder_mask_cutouts]\r\n[parts]\r\n[texts]\r\n"
       "[end]\r\n",
       12534, "premature EOF looking for KRV nets"},
      {"[options]\r\n[footprints]\r\n[board]\r\n[solder_mask_cutouts]\r\n[parts]\r\n[nets]\r\n"
       "net: \"A\" 0 0 0 0 0 0 0\r\n",
       12559, "premature EOF in nets Pass 1"},
      {board_of(crlf({"net: \"\" 0 0 0 0 0 0 0"})), 12618, "bad net name"},
      {board_of(crlf({"net: A 0 0 0 0 0 0 0"})), 12618, "bad net name"},
      {board_of(crlf({"net: \"A 0 0 0 0 0 0 0"})), 12618, "bad net name"},
      {board_of(crlf({"net: \"A\" 0 0 0 0 0 0"})), 12631, "bad net: record"},
      // Looking for the next net stops at any section header, the section's own included.
      {board_of(crlf({"net: \"A\" 0 0 0 0 0 0 0", "[nets]", "net: \"B\" 0 0 0 0 0 0 0"})), 12618,
       "bad net name"},
      {board_of(crlf({net.c_str(), "; comment", "pin: 1 U1.1"})), 12678, "missing net pin record"},
      {board_of(crlf({net.c_str(), "pin: 1"})), 12685, "bad net pin: record"},
      {board_of(crlf({net.c_str(), "pin: x U1.1"})), 12685, "bad net pin: record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "vtx: 1 0 0 0 0 0 0 0"})), 12714,
       "missing net connect: record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "connect: 1 0 0 0"})), 12722,
       "bad net connect: record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "connect: 1 0 0 0 0", "seg: 1 0 0 0 0"})), 12745,
       "missing net trace vtx record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "connect: 1 0 0 0 0", "vtx: 1 0 0 12 0 0 0"})),
       12754, "bad trace vtx: record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "connect: 1 0 0 1 0", "vtx: 1 0 0 12 0 0 0 0",
                      "vtx: 2 0 0 12 0 0 0 0"})),
       12785, "missing net trace seg record"},
      {board_of(crlf({net.c_str(), "pin: 1 U1.1", "connect: 1 0 0 1 0", "vtx: 1 0 0 12 0 0 0 0",
                      "seg: 1 12 10 0"})),
       12793, "bad trace seg: record"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string message, location;
    EXPECT_EQ(load_error(c.text, &message, &location), c.code);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(location.rfind("  at line ", 0), 0u) << location;
  }
}

TEST(Nets, RecordsEndingWithTheFile) {
  // Within a section that ends with a header these are "missing record" errors; a net's record
  // run that meets the end of the text itself gives the end-of-file errors.
  const struct {
    const char* net;
    std::string records;
    int code;
    const char* message;
  } cases[] = {
      {"net: \"A\" 2 0 0 0 0 0 0", crlf({"pin: 1 U1.1"}), 12671, "premature EOF reading net pins"},
      {"net: \"A\" 0 2 0 0 0 0 0", crlf({"connect: 1 0 0 0 0", "vtx: 1 0 0 12 0 0 0 0"}), 12707,
       "premature EOF reading net traces"},
      {"net: \"A\" 0 1 0 0 0 0 0",
       crlf({"connect: 1 0 0 1 0", "vtx: 1 0 0 12 0 0 0 0", "seg: 1 12 10 0 0"}), 12738,
       "premature EOF reading net trace vtx"},
      {"net: \"A\" 0 1 0 0 0 0 0", crlf({"connect: 1 0 0 1 0", "vtx: 1 0 0 12 0 0 0 0"}), 12778,
       "premature EOF reading net trace seg"},
      {"net: \"A\" 0 0 1 0 0 0 0", "", 12840, "premature EOF reading net areas"},
      {"net: \"A\" 0 0 1 0 0 0 0", crlf({"area: 1 2 12 0", "corner: 1 0 0 0 0"}), 12862,
       "premature EOF reading net area corner"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    std::string message;
    EXPECT_EQ(net_records_error(c.net, c.records, &message), c.code);
    EXPECT_EQ(message, c.message);
  }
}

TEST(Nets, HostileCountsRunOutOfRecords) {
  // Each count claims about four billion records in a tiny file: the load ends where the
  // records run out, without sizing anything by the count.
  const struct {
    std::string nets;
    int code;
  } cases[] = {
      {crlf({"net: \"A\" 4000000000 0 0 0 0 0 0", "pin: 1 U1.1"}), 12678},
      {crlf({"net: \"A\" 0 4000000000 0 0 0 0 0", "connect: 1 0 0 0 0", "vtx: 1 0 0 12 0 0 0 0"}),
       12714},
      {crlf({"net: \"A\" 0 1 0 0 0 0 0", "connect: 1 0 0 4000000000 0", "vtx: 1 0 0 12 0 0 0 0",
             "seg: 1 12 10 0 0"}),
       12745},
      // The largest segment count must not wrap to a connection without vertices.
      {crlf({"net: \"A\" 0 1 0 0 0 0 0", "connect: 1 0 0 4294967295 0", "vtx: 1 0 0 12 0 0 0 0"}),
       12785},
      {crlf({"net: \"A\" 0 0 4000000000 0 0 0 0", "area: 1 1 12 0", "corner: 1 0 0 0 1"}), 12847},
      {crlf({"net: \"A\" 0 0 1 0 0 0 0", "area: 1 4000000000 12 0", "corner: 1 0 0 0 1"}), 12869},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nets);
    EXPECT_EQ(load_error(board_of(c.nets)), c.code);
  }
  std::string message;
  EXPECT_EQ(net_records_error("net: \"A\" 4000000000 0 0 0 0 0 0", crlf({"pin: 1 U1.1"}), &message),
            12671);
}

TEST(Nets, PartPinChecksAfterAllNets) {
  Footprint smd;
  smd.name = "SO8";
  smd.pins.resize(3);
  smd.pins[0].name = "1";
  smd.pins[0].top_pad.shape = 1;
  smd.pins[1].name = "2";
  smd.pins[1].bottom_pad.shape = 2;
  smd.pins[2].name = "3";
  smd.pins[2].hole = 0.03;  // a through pin needs no outer pad
  Footprint inner_only = smd;
  inner_only.name = "BAD";
  inner_only.pins[1].bottom_pad.shape = 0;
  inner_only.pins[1].inner_pad.shape = 1;
  Footprint no_pins;
  no_pins.name = "EMPTY";

  const auto part = [](const char* name, uint32_t file_angle, int footprint) {
    Part p;
    p.name = name;
    p.angle = flip_angle(file_angle);
    p.footprint_index = footprint;
    return p;
  };
  const struct {
    Part part;
    int code;
    const char* message;
  } cases[] = {
      {part("U1", 0, 0), 0, ""},
      {part("U1", 90, 0), 0, ""},
      {part("U1", 180, 0), 0, ""},
      {part("U1", 270, 0), 0, ""},
      {part("U1", 45, 0), 10783, "U1: bad rotation angle (315)"},
      {part("U1", 400, 0), 10783, "U1: bad rotation angle (216)"},
      // No pins to check, no footprint bound, or an index out of the table: nothing checked.
      {part("U1", 45, 2), 0, ""},
      {part("U1", 45, -1), 0, ""},
      {part("U1", 45, 3), 0, ""},
      {part("U2", 0, 1), 10795, "Footprint: BAD  Pin: 2  smd padstack invalid"},
      // The angle is checked first, at the footprint's first pin.
      {part("U2", 45, 1), 10783, "U2: bad rotation angle (315)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    Board board;
    board.footprints = {smd, inner_only, no_pins};
    board.parts = {part("R1", 90, 0), c.part};
    try {
      read_nets_into(board, crlf({"net: \"A\" 1 0 0 0 0 0 0", "pin: 1 U1.1"}));
      EXPECT_EQ(c.code, 0);
      EXPECT_EQ(board.nets.size(), 1u);
    } catch (const FatalError& e) {
      EXPECT_EQ(e.code, c.code);
      EXPECT_EQ(std::string(e.what()), c.message);
      // A check over the whole board: no input line is pointed at.
      EXPECT_TRUE(e.whole_board);
    }
  }
}
