#include "board/krv_write.h"

#include <sys/stat.h>

#include <cstdio>

#include "board/fatal_error.h"
#include "board/sections.h"
#include "platform/files.h"

// Every section in the fixed order, then "[end]".
static void write_sections(Output& out, const Board& board) {
  write_options(out, board);
  write_footprints(out, board);
  write_board_outlines(out, board);
  write_sm_cutouts(out, board);
  write_parts(out, board);
  write_nets(out, board);
  write_texts(out, board);
  out.put("[end]\n");
}

std::string board_text(const Board& board) {
  Output out;
  write_sections(out, board);
  return out.text();
}

std::string output_name(const std::string& input_name, const char* suffix) {
  const size_t dot = input_name.rfind('.');
  if (dot == std::string::npos) return input_name + suffix;
  return input_name.substr(0, dot) + suffix + input_name.substr(dot);
}

static bool is_directory(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void write_board(const Board& board, std::string& board_file_name, const char* suffix) {
  board_file_name = output_name(board_file_name, suffix);
  const std::string& name = board_file_name;
  const auto cannot_create = [&name]() {
    fatal_error(20043, format_text("unable to open %s for output", name.c_str()));
  };
  if (is_directory(name)) cannot_create();
  TempFile temp(name);
  if (!temp.ok()) cannot_create();
  // Nothing is renamed into place before the whole board is written: a board that fails while
  // it is written leaves nothing behind.
  Output out(temp.fd());
  write_sections(out, board);
  if (!temp.commit(out.flush(), name)) cannot_create();
  std::fprintf(stderr, "\n\n    File \"%s\" created,\n\n", name.c_str());
}
