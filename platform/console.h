// The program's console: set up for its messages, and kept open at the end when nobody else
// would see them.
#pragma once

// Makes the console show the messages' bytes as they are: on Windows it shows UTF-8 (the form
// of every name in a message) and stderr adds no carriage return before a line feed, so the
// messages are the same bytes as on any other system.
void prepare_console();

// What decides the wait at the end.
struct ConsoleFacts {
  unsigned processes_on_console = 0;  // this program included; 0 when there is no console
  bool input_is_console = false;      // Enter can be pressed
  bool messages_are_console = false;  // stderr is shown in the console window
  bool under_ci = false;              // the CI variable is set
};

// Whether to end with "Press Enter to close this window." and wait: only when the program is
// the only process on its console (Explorer started it for a dropped board, and the window
// closes with it) and someone can see the messages and press Enter. From a command prompt or
// a script another process shares the console; CI never waits.
bool should_wait_at_end(const ConsoleFacts& facts);

// Asks the system for the facts and waits when should_wait_at_end says so (never on POSIX
// systems, whose terminals outlive the program).
void wait_at_end_if_alone();
