#include "driver/process_board.h"

#include <cstdio>

#include "board/load.h"
#include "board/write.h"
#include "io/fatal_error.h"
#include "platform/files.h"
#include "transform/mirror.h"
#include "transform/refdes.h"

namespace {

const char* output_suffix(const RunFlags& flags) {
  if (!flags.skip_refdes && !flags.mirror_mode) return "_ref";
  if (flags.skip_refdes && flags.mirror_mode) return "_mir";
  return "_refm";
}

}  // namespace

BoardRun process_board(const std::string& file_argument, const RunFlags& flags,
                       MemoryFiles* memory) {
  BoardRun run;
  Board& board = run.board;
  std::string board_file_name = file_argument;
  if (memory) {
    load_board_from_memory(board, board_file_name, *memory, flags);
  } else {
    load_board(board, board_file_name, flags);
  }
  run.input_name = board_file_name;
  if (flags.mirror_mode) mirror_board(board);
  run.converted = flags.skip_refdes ? 0 : convert_refdes(board, flags);
  // -A and -C work on the board as it will be written; their report follows the conversion
  // message.
  run.silk = run_silkscreen(board, flags, run.input_name);
  run.written = run.converted > 0 || flags.mirror_mode;
  if (run.written) {
    if (memory) {
      write_board_to_memory(board, board_file_name, output_suffix(flags), *memory);
    } else {
      write_board(board, board_file_name, output_suffix(flags));
    }
    run.output_name = board_file_name;
    const bool by_visibility = flags.use_visibility && board.options.refdes_visibility_supported;
    print_message("    %d Component RefRes strings hidden by \"%s\" method\n    %sin \"%s\".\n\n",
                  run.converted, by_visibility ? "Visibility" : "Height/Stroke",
                  flags.mirror_mode ? "and layout mirrored " : "", board_file_name.c_str());
  } else {
    print_message("    No components found in %s, nothing done\n\n", run.input_name.c_str());
  }
  std::fputs(run.silk.report.c_str(), stderr);
  if (flags.check_mode) {
    const std::string picture =
        picture_name(run.written ? run.output_name : run.input_name, run.written);
    if (memory) {
      (*memory)[picture] = std::move(run.silk.picture);
    } else {
      std::string reason;
      if (!write_file_atomically(picture, run.silk.picture, reason)) {
        fatal_file_error(Err::picture_cannot_write, reason, picture.c_str());
      }
    }
    run.silk.picture.clear();
    print_message("    Silkscreen picture in \"%s\".\n\n", picture.c_str());
  }
  return run;
}
