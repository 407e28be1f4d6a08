// The name rules of both systems, tested on whichever the tests run on.
#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
  const char* input;
  NameRules rules;
  const char* with_extension;
  const char* refm_output;
};

const NameCase kCases[] = {
    {"board", NameRules::kPosix, "board.krv", "board_refm"},
    {"my.boards/board", NameRules::kPosix, "my.boards/board.krv", "my.boards/board_refm"},
    {"a/b.krv", NameRules::kPosix, "a/b.krv", "a/b_refm.krv"},
    // A backslash is part of a POSIX name, and a folder separator on Windows.
    {"my.boards\\board", NameRules::kPosix, "my.boards\\board", "my_refm.boards\\board"},
    {"my.boards\\board", NameRules::kWindows, "my.boards\\board.krv", "my.boards\\board_refm"},
    {"my.boards/board", NameRules::kWindows, "my.boards/board.krv", "my.boards/board_refm"},
    {"C:\\x.y\\Platine_Ä.krv", NameRules::kWindows, "C:\\x.y\\Platine_Ä.krv",
     "C:\\x.y\\Platine_Ä_refm.krv"},
    // A drive prefix is a folder part: "C:board" is the file "board" on drive C.
    {"C:board", NameRules::kWindows, "C:board.krv", "C:board_refm"},
    {"C:", NameRules::kWindows, "C:.krv", "C:_refm"},
    {"C:board", NameRules::kPosix, "C:board.krv", "C:board_refm"},
    {"1:board", NameRules::kWindows, "1:board.krv", "1:board_refm"},
    {"a.b:c", NameRules::kWindows, "a.b:c", "a_refm.b:c"},
    {"my boards\\Плата 1", NameRules::kWindows, "my boards\\Плата 1.krv",
     "my boards\\Плата 1_refm"},
};

}  // namespace

TEST(FileNames, FollowEachSystemsRules) {
  for (const NameCase& c : kCases) {
    EXPECT_EQ(with_default_extension(c.input, c.rules), c.with_extension) << c.input;
    EXPECT_EQ(output_name(c.input, "_refm", c.rules), c.refm_output) << c.input;
  }
}

TEST(FileNames, SeparatorsOfEachSystem) {
  EXPECT_TRUE(is_folder_separator('/', NameRules::kPosix));
  EXPECT_FALSE(is_folder_separator('\\', NameRules::kPosix));
  EXPECT_TRUE(is_folder_separator('/', NameRules::kWindows));
  EXPECT_TRUE(is_folder_separator('\\', NameRules::kWindows));
  EXPECT_FALSE(is_folder_separator(':', NameRules::kWindows));
  EXPECT_EQ(file_name_start("D:\\boards\\x.krv", NameRules::kWindows), 10u);
  EXPECT_EQ(file_name_start("D:x.krv", NameRules::kWindows), 2u);
  EXPECT_EQ(file_name_start("D:x.krv", NameRules::kPosix), 0u);
}
