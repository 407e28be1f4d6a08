#include "driver/run.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "board/load.h"
#include "board/model.h"
#include "board/run_flags.h"
#include "board/write.h"
#include "check/run_check.h"
#include "io/fatal_error.h"
#include "platform/files.h"
#include "transform/mirror.h"
#include "transform/refdes.h"

namespace {

constexpr double kVersionNumber = 1.2;
constexpr char kVersionLetter = 'R';

constexpr const char kUsage[] =
    "\nUsage: Silkora [switches] file[.ext] [file[.ext] [file[.ext]] ...]\n\n"
    "    Option Switches:\n\n"
    "                     -D  Debug mode. Plece new text on inner 1 & 2 layers\n"
    "                         Refdes stroke set to zero. 4 layers minimum.\n\n"
    "               -H or -?  Help.\n\n"
    "                     -M  Mirror layout about the Y axis.\n\n"
    "                     -S  Skip RefDes conversion.\n\n"
    "                     -V  Use RefDes \"visibility\" flag to hide refdes text\n"
    "                         in V1.347 or newer files.\n\n"
    "                         Note: switch characters are not case sensitive.\n\n";

const char* plural(int count) {
  return count == 1 ? "" : "s";
}

// Reads the switches; returns the index of the first file name.
size_t parse_switches(const std::vector<std::string>& args, RunFlags& flags) {
  size_t i = 1;
  for (; i < args.size() && args[i][0] == '-'; ++i) {
    char letter = args[i][1];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    switch (letter) {
      case '?':
      case 'H':
        fatal_error(Err::help);
      case 'D':
        flags.debug_mode = 1;
        break;
      case 'M':
        flags.mirror_mode = 1;
        break;
      case 'S':
        flags.skip_refdes = 1;
        break;
      case 'V':
        flags.use_visibility = 1;
        break;
      case 'C':
        flags.check_mode = 1;
        break;
      case 'A':
        flags.arrange_mode = 1;
        break;
      default:
        fatal_error(Err::unknown_switch, args[i].c_str());
    }
  }
  if (i >= args.size()) fatal_error(Err::missing_file_names);
  return i;
}

const char* output_suffix(const RunFlags& flags) {
  if (!flags.skip_refdes && !flags.mirror_mode) return "_ref";
  if (flags.skip_refdes && flags.mirror_mode) return "_mir";
  return "_refm";
}

int run(const std::vector<std::string>& args, std::chrono::steady_clock::time_point start) {
  RunFlags flags;
  const size_t first_file = parse_switches(args, flags);
  int files_loaded = 0;
  int files_created = 0;
  int files_with_findings = 0;
  Board board;
  for (size_t i = first_file; i < args.size(); ++i) {
    std::string board_file_name = args[i];
    load_board(board, board_file_name, flags);
    const std::string input_name = board_file_name;
    const size_t texts_read = board.texts.size();
    if (flags.mirror_mode) mirror_board(board);
    const int converted = flags.skip_refdes ? 0 : convert_refdes(board, flags);
    // -A and -C work on the board as it will be written; their report follows the
    // conversion message.
    const SilkscreenResult silk = run_silkscreen(board, flags, texts_read, input_name);
    const bool written = converted > 0 || flags.mirror_mode;
    if (written) {
      write_board(board, board_file_name, output_suffix(flags));
      const bool by_visibility = flags.use_visibility && board.options.refdes_visibility_supported;
      print_message("    %d Component RefRes strings hidden by \"%s\" method\n    %sin \"%s\".\n\n",
                    converted, by_visibility ? "Visibility" : "Height/Stroke",
                    flags.mirror_mode ? "and layout mirrored " : "", board_file_name.c_str());
      ++files_created;
    } else {
      print_message("    No components found in %s, nothing done\n\n", input_name.c_str());
    }
    std::fputs(silk.report.c_str(), stderr);
    if (flags.check_mode) {
      const std::string picture = picture_name(written ? board_file_name : input_name, written);
      std::string reason;
      if (!write_file_atomically(picture, silk.picture, reason)) {
        fatal_file_error(Err::picture_cannot_write, reason, picture.c_str());
      }
      print_message("    Silkscreen picture in \"%s\".\n\n", picture.c_str());
      if (silk.has_findings) ++files_with_findings;
    }
    release_board(board);
    ++files_loaded;
  }
  const double elapsed = static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                 std::chrono::steady_clock::now() - start)
                                                 .count()) /
                         1000.0;
  print_message("\n\nDone.\n\n  %d file%s loaded.  \n\n  %d %sfile%s created.\n\n", files_loaded,
                plural(files_loaded), files_created, flags.mirror_mode ? "mirrored " : "",
                plural(files_created));
  if (flags.check_mode) {
    print_message("  %d file%s with silkscreen findings.\n\n", files_with_findings,
                  plural(files_with_findings));
  }
  print_message("Elapsed time: %1.3lf Sec\n\n", elapsed);
  return 0;
}

}  // namespace

int run_silkora(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  print_message("\n\n   Silkora - A Korvel Post Layout RefDes Converter\n");
  print_message("            Ver %1.2lf%c\n\n", kVersionNumber, kVersionLetter);
  try {
    return run(args, start);
  } catch (const FatalError& e) {
    if (e.code > 0) {
      print_message("\nError %d: %s\n", e.code, e.what());
      std::fputs(e.reason.c_str(), stderr);
      std::fputs(e.location.c_str(), stderr);
    }
    if (e.code < 10000) std::fputs(kUsage, stderr);
    return e.code > 0 ? 1 : 0;
  }
}
