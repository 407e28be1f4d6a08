// Helpers for the unit tests: complete board texts and loading them from memory.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/load.h"
#include "board/model.h"
#include "board/write.h"
#include "io/fatal_error.h"

// Lines joined with CR LF, as the editor writes them.
inline std::string crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// A board with every section header; `options`, `sections` and `texts` are put in place
// verbatim (`sections` between [footprints] and [texts] replaces the empty middle sections).
inline std::string board_with(const std::string& options, const std::string& texts = "",
                              const std::string& sections = "") {
  std::string text = "[options]\r\n" + options + "\r\n[footprints]\r\n\r\n";
  text += sections.empty()
              ? "[board]\r\n\r\n[solder_mask_cutouts]\r\n\r\n[parts]\r\n\r\n[nets]\r\n\r\n"
              : sections;
  text += "[texts]\r\n\r\n" + texts + "[end]\r\n";
  return text;
}

// Loads `text` into a fresh board; a FatalError propagates.
inline Board load_text(const std::string& text, int debug_mode = 0) {
  Board board;
  RunFlags flags;
  flags.debug_mode = debug_mode;
  load_board_text(board, text, "t.krv", flags);
  return board;
}

// The code of the FatalError that loading `text` raises, or 0; the message goes to `message`.
inline int load_error(const std::string& text, std::string* message = nullptr,
                      std::string* location = nullptr) {
  try {
    testing::internal::CaptureStderr();
    load_text(text);
    testing::internal::GetCapturedStderr();
  } catch (const FatalError& e) {
    testing::internal::GetCapturedStderr();
    if (message) *message = e.what();
    if (location) *location = e.location;
    return e.code;
  }
  return 0;
}
