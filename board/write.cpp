// The write frame: the output name, then the section writers in the file's order, all writing
// through one Output into a temporary file beside the output. The temporary file is renamed into
// place only once it is complete, so a failed run leaves neither a partial nor a temporary file
// and never touches an older file of that name. board_text gives the same text in memory.
#include "board/write.h"

#include <cstdio>

#include "format_1x/footprints.h"
#include "format_1x/nets.h"
#include "format_1x/options.h"
#include "format_1x/outlines.h"
#include "format_1x/parts.h"
#include "format_1x/texts.h"
#include "format_2x/write_2x.h"
#include "io/fatal_error.h"
#include "io/output.h"
#include "platform/file_names.h"
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

static void report_created(const std::string& name) {
  print_message("\n\n    File \"%s\" created,\n\n", name.c_str());
}

std::string board_text(const Board& board) {
  if (board.source_2x) return board_text_2x(board);
  Output out;
  write_sections(out, board);
  return out.text();
}

void write_board(const Board& board, std::string& board_file_name, const char* suffix) {
  board_file_name = output_name(board_file_name, suffix);
  const std::string& name = board_file_name;
  // A folder of the output's name gets no temporary file, so it is refused before the board is
  // written.
  TempFile temp(name);
  if (!temp.ok()) fatal_file_error(Err::output_cannot_write, temp.reason(), name.c_str());
  // Nothing is renamed into place before the whole board is written: a board that fails while
  // it is written leaves nothing behind.
  bool written;
  if (board.source_2x) {
    // A 2.x board is its own bytes with the conversion's changes, line ends as they were.
    written = write_board_2x(board, temp);
  } else {
    Output out(temp);
    write_sections(out, board);
    written = out.flush();
  }
  if (!temp.commit(written, name)) {
    fatal_file_error(Err::output_cannot_write, temp.reason(), name.c_str());
  }
  report_created(name);
}

void write_board_to_memory(const Board& board, std::string& board_file_name, const char* suffix,
                           std::map<std::string, std::string>& files) {
  board_file_name = output_name(board_file_name, suffix);
  files[board_file_name] = board_text(board);
  report_created(board_file_name);
}
