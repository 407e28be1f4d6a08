#include "check/run_check.h"

#include <gtest/gtest.h>

TEST(PictureName, ReplacesTheExtensionOfTheFilesOwnName) {
  const struct {
    const char* board;
    bool written;
    const char* picture;
  } cases[] = {
      {"board_ref.krv", true, "board_ref.svg"},
      {"b.rev_ref.krv", true, "b.rev_ref.svg"},
      {"my.boards/board_refm.krv", true, "my.boards/board_refm.svg"},
      {"my.boards/board.krv", false, "my.boards/board_check.svg"},
      {"my.boards/board", true, "my.boards/board.svg"},  // a dot in a folder is no extension
      {"_ref.board", true, "_ref.svg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(picture_name(c.board, c.written), c.picture) << c.board;
  }
}
