// The load frame: takes the board file's bytes whole (or a text already in memory) and runs the
// section readers over them in the file's order, each finding its own header. A FatalError raised
// while a line was read gets that line's number and the file name on its way out. A board of the
// editor's 2.x versions goes to its own reader (load_2x.cpp) instead, which keeps its bytes.
#include "board/load.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "format_1x/footprints.h"
#include "format_2x/load_2x.h"
#include "format_1x/nets.h"
#include "format_1x/options.h"
#include "format_1x/outlines.h"
#include "format_1x/parts.h"
#include "format_1x/sections.h"
#include "format_1x/texts.h"
#include "io/fatal_error.h"
#include "platform/file_names.h"
#include "platform/huge_pages.h"

// Runs every section reader over `in`; returns the line count of the load.
static uint32_t load_lines(Board& board, LineReader& in, const std::string& file_name,
                           const RunFlags& flags) {
  LoadContext ctx{in, board, file_name, flags.debug_mode};
  try {
    read_options(ctx);
    read_footprints(ctx);
    // The outline check works on outline 1 and the extent of the corners read.
    if (board.board_outline_index == 0) board.board_outline_index = 1;
    if (board.signal_outline_index == 0) board.signal_outline_index = 1;
    board.min_x = board.min_y = 1000000.0;
    board.max_x = board.max_y = -1000000.0;
    read_board_outlines(ctx);
    read_sm_cutouts(ctx);
    read_parts(ctx);
    read_nets(ctx);
    read_texts(ctx);
  } catch (FatalError& e) {
    if (!e.whole_board) {
      e.location = format_text("  at line %u of \"%s\"\n", in.line_number(), file_name.c_str());
    }
    throw;
  }
  return in.line_number();
}

uint32_t load_board_text(Board& board, std::string bytes, const std::string& file_name,
                         const RunFlags& flags) {
  // A board of the 2.x versions is kept as its bytes and read by its own reader.
  if (const std::optional<Version2x> version = find_2x_version(bytes)) {
    auto text = std::make_shared<const std::string>(std::move(bytes));
    return load_board_2x(board, text, *text, file_name, flags, *version);
  }
  LineReader in(std::move(bytes));
  return load_lines(board, in, file_name, flags);
}

[[noreturn]] static void cannot_open(const std::string& name) {
  fatal_error(Err::board_cannot_open, name.c_str());
}

static void report_loaded(const std::string& name, uint32_t lines) {
  print_message("\n  File \"%s\" loaded, %u lines read.\n", name.c_str(), lines);
}

void load_board(Board& board, std::string& board_file_name, const RunFlags& flags) {
  board_file_name = with_default_extension(board_file_name);
  bool ok = false;
  std::string reason;
  LineReader in(board_file_name, ok, &reason);
  if (!ok) fatal_file_error(Err::board_cannot_open, reason, board_file_name.c_str());
  prepare_heap_for_board(in.size());
  const std::optional<Version2x> version = find_2x_version(in.text());
  const uint32_t lines =
      version ? load_board_2x(board, in.file_bytes(), in.text(), board_file_name, flags, *version)
              : load_lines(board, in, board_file_name, flags);
  report_loaded(board_file_name, lines);
}

void load_board_from_memory(Board& board, std::string& board_file_name,
                            const std::map<std::string, std::string>& files,
                            const RunFlags& flags) {
  board_file_name = with_default_extension(board_file_name);
  const auto file = files.find(board_file_name);
  if (file == files.end()) cannot_open(board_file_name);
  report_loaded(board_file_name, load_board_text(board, file->second, board_file_name, flags));
}
