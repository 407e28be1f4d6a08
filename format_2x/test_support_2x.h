// Helpers for the tests of 2.x boards: small boards, the whole conversion in memory, and the
// check that a converted board differs from its input only where the conversion may change it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/load.h"
#include "board/model.h"
#include "board/write.h"
#include "io/fatal_error.h"
#include "transform/refdes.h"

// A 2.x board in the editor's layout, its lines joined by `line_end`: [options] with `version`
// and `copper_layers`, empty footprints and board, `parts` and `texts` as the bodies of their
// sections (each line of them ended by "\n"), then [merges] and [end].
inline std::string board_2x(const std::string& version, const std::string& parts,
                            const std::string& texts = "", int copper_layers = 2,
                            const std::string& line_end = "\n") {
  const std::string text = "[options]\n\nversion: " + version + "\nfile_version: " + version +
                           "\nunits: MM\n\nn_copper_layers: " + std::to_string(copper_layers) +
                           "\n\n[footprints]\n\n[board]\n\n[parts]\n\n" + parts +
                           "[nets]\n\n[texts]\n\n" + texts + "[merges]\n\n[end]\n";
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += line_end;
    } else {
      out += c;
    }
  }
  return out;
}

// One board run through load, conversion and the writer in memory.
struct Converted2x {
  Board board;
  int converted = 0;
  std::string text;      // the written board
  std::string messages;  // what loading and converting printed
};

inline Converted2x convert_2x(const std::string& input, const RunFlags& flags = RunFlags{}) {
  Converted2x c;
  testing::internal::CaptureStderr();
  try {
    load_board_text(c.board, input, "t.krv", flags);
    if (!flags.skip_refdes) c.converted = convert_refdes(c.board, flags);
    c.text = board_text(c.board);
  } catch (...) {
    testing::internal::GetCapturedStderr();
    throw;
  }
  c.messages = testing::internal::GetCapturedStderr();
  return c;
}

// The code, message and location of the FatalError that loading `input` raises; code 0 when
// it loads.
struct LoadFailure {
  int code = 0;
  std::string message, location, printed;
};

inline LoadFailure load_failure_2x(const std::string& input, const RunFlags& flags = RunFlags{}) {
  LoadFailure f;
  testing::internal::CaptureStderr();
  try {
    Board board;
    load_board_text(board, input, "t.krv", flags);
  } catch (const FatalError& e) {
    f.code = e.code;
    f.message = e.what();
    f.location = e.location;
  }
  f.printed = testing::internal::GetCapturedStderr();
  return f;
}

namespace test_2x_detail {

// The lines of `text`, each with its own line end.
inline std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t feed = text.find('\n', pos);
    const size_t next = feed == std::string::npos ? text.size() : feed + 1;
    lines.push_back(text.substr(pos, next - pos));
    pos = next;
  }
  return lines;
}

inline std::string trimmed_start(const std::string& line) {
  return line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
}

inline std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  for (;;) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string::npos) return out;
    const size_t end = std::min(text.find_first_of(" \t\r\n", pos), text.size());
    out.push_back(text.substr(pos, end - pos));
    pos = end;
  }
}

// Whether `after` is `before` rewritten by the conversion: the same indentation, "ref_text:"
// and five or six values, each as it was or 0.
inline bool is_rewritten_ref_text(const std::string& before, const std::string& after) {
  const size_t indent = before.find_first_not_of(" \t");
  if (indent == std::string::npos || before.compare(indent, 9, "ref_text:") != 0) return false;
  if (after.compare(0, indent, before, 0, indent) != 0 || after.compare(indent, 10, "ref_text: "))
    return false;
  const std::vector<std::string> old_values = words(before.substr(indent + 9));
  const std::vector<std::string> new_values = words(after.substr(indent + 9));
  if (new_values.size() < 5 || new_values.size() > 6 || new_values.size() > old_values.size())
    return false;
  for (size_t i = 0; i < new_values.size(); ++i) {
    if (new_values[i] != "0" && old_values[i].find(new_values[i]) != 0) return false;
  }
  return true;
}

}  // namespace test_2x_detail

// Empty when `output` is `input` with only ref_text lines rewritten and one block of text
// records (each followed by an empty line) inserted at the start of a header line or at the
// end; otherwise what differs. `records` gets the number of records inserted.
inline std::string conversion_changes_only(const std::string& input, const std::string& output,
                                           int* records = nullptr) {
  using namespace test_2x_detail;
  const std::vector<std::string> in = split_lines(input);
  const std::vector<std::string> out = split_lines(output);
  size_t i = 0, j = 0;
  bool inserted = false;
  int inserted_records = 0;
  while (i < in.size() || j < out.size()) {
    if (i < in.size() && j < out.size() && in[i] == out[j]) {
      ++i, ++j;
      continue;
    }
    if (i < in.size() && j < out.size() && is_rewritten_ref_text(in[i], out[j])) {
      ++i, ++j;
      continue;
    }
    // The last line of a file without a final line end gets one before records that follow it.
    if (i + 1 == in.size() && j < out.size() && in[i].back() != '\n' &&
        (out[j] == in[i] + "\n" || out[j] == in[i] + "\r\n")) {
      ++i, ++j;
      continue;
    }
    const bool at_header = i == in.size() || trimmed_start(in[i]).compare(0, 1, "[") == 0;
    if (!inserted && at_header && j < out.size() && out[j].compare(0, 7, "text: \"") == 0) {
      while (j + 1 < out.size() && out[j].compare(0, 7, "text: \"") == 0 &&
             (out[j + 1] == "\n" || out[j + 1] == "\r\n")) {
        j += 2;
        ++inserted_records;
      }
      inserted = true;
      continue;
    }
    return "input line " + std::to_string(i + 1) + " / output line " + std::to_string(j + 1) +
           " differ";
  }
  if (records) *records = inserted_records;
  return "";
}

// Checks a converted board: only the conversion's changes, one record per converted part, and
// the output loads again as a 2.x board with the same parts.
inline void expect_sound_conversion(const std::string& input, const Converted2x& c) {
  int records = -1;
  EXPECT_EQ(conversion_changes_only(input, c.text, &records), "");
  EXPECT_EQ(records, c.converted);
  Board again;
  testing::internal::CaptureStderr();
  load_board_text(again, c.text, "t_ref.krv", RunFlags{});
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(again.source_2x.has_value());
  EXPECT_EQ(again.parts.size(), c.board.parts.size());
}
