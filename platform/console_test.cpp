#include "platform/console.h"

#include <gtest/gtest.h>

// Waits only when started alone on a console someone sees: a board dropped onto the program.
TEST(Console, WaitsAtEndOnlyWhenAloneOnItsConsole) {
  ConsoleFacts dropped;
  dropped.processes_on_console = 1;
  dropped.input_is_console = true;
  dropped.messages_are_console = true;
  EXPECT_TRUE(should_wait_at_end(dropped));

  ConsoleFacts prompt = dropped;  // started from a command prompt: the shell shares the console
  prompt.processes_on_console = 2;
  EXPECT_FALSE(should_wait_at_end(prompt));

  ConsoleFacts no_console = dropped;  // no console at all
  no_console.processes_on_console = 0;
  EXPECT_FALSE(should_wait_at_end(no_console));

  ConsoleFacts redirected = dropped;  // a script feeds or collects the messages
  redirected.input_is_console = false;
  EXPECT_FALSE(should_wait_at_end(redirected));
  redirected = dropped;
  redirected.messages_are_console = false;
  EXPECT_FALSE(should_wait_at_end(redirected));

  ConsoleFacts ci = dropped;
  ci.under_ci = true;
  EXPECT_FALSE(should_wait_at_end(ci));
}
