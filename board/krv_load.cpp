#include "board/krv_load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "board/fatal_error.h"
#include "board/sections.h"

void find_section_header(LineReader& in, const char* header, int code, const char* message) {
  in.rewind();
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) fatal_error(code, message);
    if (starts_with(skip_blanks(line), header)) return;
  }
}

uint32_t count_section_records(LineReader& in, const char* own_header, const char* keyword,
                               int code, const char* message) {
  const LineReader::Mark start = in.tell();
  uint32_t count = 0;
  for (;;) {
    const char* line = in.read_line();
    if (line == nullptr) {
      if (code != 0) fatal_error(code, message);
      break;
    }
    line = skip_blanks(line);
    if (is_other_header(line, own_header)) break;
    if (starts_with(line, keyword)) ++count;
  }
  in.seek(start);
  return count;
}

uint32_t load_board_text(Board& board, std::string bytes, const std::string& file_name,
                         const RunFlags& flags) {
  LineReader in(std::move(bytes));
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

// Reads the whole file; false when it cannot be opened or read (a folder included).
static bool read_whole_file(const std::string& name, std::string& bytes) {
  const int fd = ::open(name.c_str(), O_RDONLY);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  // One byte more than the file's size lets the read see the end without growing the buffer.
  bytes.resize(S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1
                                                         : 65536);
  size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return true;
}

void load_board(Board& board, std::string& board_file_name, const RunFlags& flags) {
  if (board_file_name.find('.') == std::string::npos) board_file_name += ".krv";
  std::string bytes;
  if (!read_whole_file(board_file_name, bytes)) {
    fatal_error(13188, format_text("Unable to open %s for input", board_file_name.c_str()));
  }
  const uint32_t lines = load_board_text(board, std::move(bytes), board_file_name, flags);
  std::fprintf(stderr, "\n  File \"%s\" loaded, %u lines read.\n", board_file_name.c_str(), lines);
}
