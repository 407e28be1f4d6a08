#include "platform/command_line.h"

#if defined(_WIN32)
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "platform/text_encoding.h"

std::vector<std::string> command_line(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    std::u16string text;
    for (const wchar_t* c = wide[i]; *c != L'\0'; ++c) text += static_cast<char16_t>(*c);
    arguments.push_back(utf16_to_utf8(text));
  }
  ::LocalFree(wide);
  return arguments;
}

#else

std::vector<std::string> command_line(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

#endif
