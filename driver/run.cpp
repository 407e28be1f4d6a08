#include "driver/run.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "board/run_flags.h"
#include "driver/process_board.h"
#include "io/fatal_error.h"

namespace {

constexpr double kVersionNumber = 1.2;
constexpr char kVersionLetter = 'R';

constexpr const char kUsage[] =
    "\nUsage: Silkora [switches] file[.ext] [file[.ext] [file[.ext]] ...]\n\n"
    "    Option Switches:\n\n"
    "                     -A  Arrange: move new RefDes texts that collide\n"
    "                         to a free place next to their part.\n\n"
    "                     -C  Check silkscreen: report collisions and draw\n"
    "                         both sides in an SVG picture.\n\n"
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

int run(const std::vector<std::string>& args, std::chrono::steady_clock::time_point start) {
  RunFlags flags;
  const size_t first_file = parse_switches(args, flags);
  int files_loaded = 0;
  int files_created = 0;
  int files_with_findings = 0;
  for (size_t i = first_file; i < args.size(); ++i) {
    const BoardRun board = process_board(args[i], flags);
    if (board.written) ++files_created;
    if (flags.check_mode && board.silk.has_findings) ++files_with_findings;
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
