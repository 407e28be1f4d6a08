#include "platform/console.h"

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

bool should_wait_at_end(const ConsoleFacts& facts) {
  return facts.processes_on_console == 1 && facts.input_is_console && facts.messages_are_console &&
         !facts.under_ci;
}

#if defined(_WIN32)

namespace {

bool is_console(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

}  // namespace

void prepare_console() {
  ::SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

void wait_at_end_if_alone() {
  ConsoleFacts facts;
  DWORD processes[2];
  facts.processes_on_console = ::GetConsoleProcessList(processes, 2);
  facts.input_is_console = is_console(STD_INPUT_HANDLE);
  facts.messages_are_console = is_console(STD_ERROR_HANDLE);
  const char* ci = std::getenv("CI");
  facts.under_ci = ci != nullptr && *ci != '\0';
  if (!should_wait_at_end(facts)) return;
  std::fputs("Press Enter to close this window.", stderr);
  std::fflush(stderr);
  for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
  }
}

#else

void prepare_console() {}

void wait_at_end_if_alone() {}

#endif
