#include "driver/process_board.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "io/fatal_error.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << path;
  return bytes.str();
}

std::string case_file(const std::string& relative) {
  return read_file(SILKORA_SOURCE_DIR "/tests/cli/" + relative);
}

struct Outcome {
  int error = 0;         // the code of the error that ended the run, 0 for none
  std::string messages;  // everything printed for the boards
};

// Runs the boards one after another in memory, as one command line names them.
Outcome run_boards(MemoryFiles& files, const std::vector<std::string>& names,
                   const RunFlags& flags = {}) {
  Outcome outcome;
  testing::internal::CaptureStderr();
  try {
    for (const std::string& name : names) process_board(name, flags, &files);
  } catch (const FatalError& e) {
    outcome.error = e.code;
  }
  outcome.messages = testing::internal::GetCapturedStderr();
  return outcome;
}

// A board's result depends on that board alone: "a" names its top copper layer at 11, "b" names
// none (alone it fails, its copper being expected from 12 on), "small" is an ordinary board.
TEST(ProcessBoard, EveryBoardStartsFromTheSameState) {
  const MemoryFiles boards = {
      {"a.krv", case_file("driver/board_state_a_then_b/input/a.krv")},
      {"b.krv", case_file("driver/board_state_a_then_b/input/b.krv")},
      {"small.krv", case_file("driver/convert/input/small.krv")},
  };
  for (const char* board : {"b.krv", "small.krv"}) {
    MemoryFiles alone = boards, after = boards;
    const Outcome by_itself = run_boards(alone, {board});
    run_boards(after, {"a.krv"});
    const Outcome after_a = run_boards(after, {board});
    EXPECT_EQ(by_itself.error, after_a.error) << board;
    EXPECT_EQ(by_itself.messages, after_a.messages) << board;
    after.erase("a_ref.krv");
    EXPECT_EQ(alone, after) << board;
  }
  MemoryFiles files = boards;
  EXPECT_EQ(run_boards(files, {"b.krv"}).error, 11366);
}

// The in-memory road gives the bytes and messages the program gives on the disk: the example
// board arranged and checked, as its command-line case expects them.
TEST(ProcessBoard, InMemoryAsOnTheDisk) {
  MemoryFiles files = {
      {"motor_driver.krv", case_file("check/arrange_example/input/motor_driver.krv")}};
  RunFlags flags;
  flags.arrange_mode = flags.check_mode = 1;
  const Outcome outcome = run_boards(files, {"motor_driver"}, flags);
  ASSERT_EQ(outcome.error, 0) << outcome.messages;
  const std::string expected = case_file("check/arrange_example/expected_stderr");
  // The case's stderr holds the banner before and the summary after the board's messages.
  EXPECT_NE(expected.find(outcome.messages), std::string::npos) << outcome.messages;
  EXPECT_EQ(files["motor_driver_ref.krv"],
            case_file("check/arrange_example/expected/motor_driver_ref.krv"));
  EXPECT_EQ(files["motor_driver_ref.svg"],
            case_file("check/arrange_example/expected/motor_driver_ref.svg"));
  EXPECT_EQ(files.size(), 3u);
}

}  // namespace
