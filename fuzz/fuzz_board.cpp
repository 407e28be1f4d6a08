// Fuzz target: the input is a board file run through the whole pipeline of one file, as the
// program does it, but in memory. The first byte picks the switches (the silkscreen check and
// arranging included), the rest is the board text.
// A numbered error is a normal end for a broken board; anything else (a crash, a sanitizer
// report, an exception of another kind, a hang) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "board/load.h"
#include "board/model.h"
#include "board/run_flags.h"
#include "board/write.h"
#include "check/run_check.h"
#include "io/fatal_error.h"
#include "transform/mirror.h"
#include "transform/refdes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t switches = data[0];
  RunFlags flags;
  flags.debug_mode = (switches & 1) != 0;
  flags.mirror_mode = (switches & 2) != 0;
  flags.skip_refdes = (switches & 4) != 0;
  flags.use_visibility = (switches & 8) != 0;
  flags.check_mode = (switches & 16) != 0;
  flags.arrange_mode = (switches & 32) != 0;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  Board board;
  try {
    load_board_text(board, std::move(text), "fuzz.krv", flags);
    if (flags.mirror_mode) mirror_board(board);
    const size_t texts_read = board.texts.size();
    if (!flags.skip_refdes) convert_refdes(board, flags);
    const SilkscreenResult silk = run_silkscreen(board, flags, texts_read, "fuzz.krv");
    if (flags.check_mode && silk.picture.empty()) __builtin_trap();
    const std::string out = board_text(board);
    // Keep the writer's work observable so that it cannot be optimised away.
    if (out.empty()) __builtin_trap();
  } catch (const FatalError&) {
    // A numbered error: the expected end of a bad board.
  }
  return 0;
}
