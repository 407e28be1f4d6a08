#include "board/load.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "io/fatal_error.h"
#include "io/huge_pages.h"
#include "board/sections.h"

void find_section_header(LineReader& in, const char* header, int code, const char* message) {
  in.rewind();
  if (!in.skip_to_header(header)) fatal_error(code, message);
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               int code, const char* message) {
  const LineReader::Mark start = in.tell();
  const size_t keyword_length = std::strlen(keyword);
  uint32_t count = 0;
  // Only the start of each line matters here, so lines are looked at where they stand: a line
  // is counted when it begins, after blanks and tabs, with the keyword; another section's
  // header ends the count.
  const bool stopped = in.read_raw_lines([&](const char* begin, const char* end) {
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    if (begin == end) return false;
    if (*begin == '[') return is_other_header(std::string(begin, end).c_str(), own_header);
    if (static_cast<size_t>(end - begin) < keyword_length || *begin != *keyword) return false;
    count += std::memcmp(begin, keyword, keyword_length) == 0;
    return false;
  });
  if (!stopped && code != 0) fatal_error(code, message);
  in.seek(start);
  return count;
}

const char* next_record(LineReader& in, const char* keyword, int code, const char* message) {
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(code, message);
    line = skip_blanks(line);
    if (starts_with(line, keyword)) return line;
  }
}

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
  LineReader in(std::move(bytes));
  return load_lines(board, in, file_name, flags);
}

void load_board(Board& board, std::string& board_file_name, const RunFlags& flags) {
  if (board_file_name.find('.') == std::string::npos) board_file_name += ".krv";
  bool ok = false;
  LineReader in(board_file_name, ok);
  if (!ok) fatal_error(13188, format_text("Unable to open %s for input", board_file_name.c_str()));
  prepare_heap_for_board(in.size());
  const uint32_t lines = load_lines(board, in, board_file_name, flags);
  std::fprintf(stderr, "\n  File \"%s\" loaded, %u lines read.\n", board_file_name.c_str(), lines);
}
