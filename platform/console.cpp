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

// The console's code page before the program switched it; given back at the end, so that a
// command prompt the program ran in shows what it showed before.
UINT g_code_page_before = 0;

void restore_code_page() {
  if (g_code_page_before != 0) ::SetConsoleOutputCP(g_code_page_before);
}

}  // namespace

void prepare_console() {
  g_code_page_before = ::GetConsoleOutputCP();
  if (g_code_page_before != 0 && ::SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_code_page);
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
