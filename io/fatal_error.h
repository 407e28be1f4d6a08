// The one way any step ends the run: a numbered error. It is reported in one place, the catch in
// run_silkora() (driver/run.cpp), which prints the number, the message and where in the file it
// happened. The load frame catches it on the way only to add that place and throws it on.
//
// Every error is raised by its entry in the catalogue (io/error_catalogue.h), never by a bare
// number: fatal_error(Err::layer_missing), fatal_error(Err::part_footprint_unknown, name, shape).
// The values given are checked against the entry's message format when the program is built.
//
// It sits in io/, the lowest folder, because every other folder raises it: board/ and
// transform/ raise it, driver/ reports it, and none of them has to include a folder above it.
#pragma once

#include <stdexcept>
#include <string>
#include <type_traits>

#include "io/error_catalogue.h"
#include "io/text_format.h"

struct FatalError : std::runtime_error {
  FatalError(int code, std::string message, bool whole_board)
      : std::runtime_error(message), code(code), whole_board(whole_board) {}
  int code;
  // Raised by a check over the whole loaded board: it names what is wrong itself, so no input
  // line is pointed at.
  bool whole_board;
  // "  at line N of "file"" when raised while a board file was read; empty otherwise.
  std::string location;
  // "  reason: <phrase>" when the system refused a file; empty otherwise.
  std::string reason;
};

namespace error_format {

// The conversion a value of type T fills: 's' texts, 'd' int, 'u' unsigned, 'f' double,
// 'c' char; 0 for a type no conversion takes.
template <typename T>
consteval char conversion_of() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, std::string> || std::is_convertible_v<U, const char*>) {
    return 's';
  } else if constexpr (std::is_same_v<U, int>) {
    return 'd';
  } else if constexpr (std::is_same_v<U, unsigned>) {
    return 'u';
  } else if constexpr (std::is_same_v<U, double>) {
    return 'f';
  } else if constexpr (std::is_same_v<U, char>) {
    return 'c';
  } else {
    return 0;
  }
}

// Whether `format` takes exactly the values `given` (one conversion letter each, in order).
consteval bool takes(const char* format, const char* given) {
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') continue;
    ++f;
    if (*f == '%') continue;
    while (*f == '-' || *f == '0' || (*f >= '1' && *f <= '9') || *f == '.' || *f == 'l' ||
           *f == 'h') {
      ++f;
    }
    char wanted = *f == 'i' ? 'd' : *f;
    if (wanted != 's' && wanted != 'd' && wanted != 'u' && wanted != 'f' && wanted != 'c') {
      return false;
    }
    if (*given != wanted) return false;
    ++given;
  }
  return *given == '\0';
}

}  // namespace error_format

// A catalogue entry, checked against the values it will be given: made only from an Err known
// when the program is built, so a bare number cannot be raised and a format that does not fit
// its values does not compile.
template <typename... Args>
struct ErrorCall {
  consteval ErrorCall(Err entry) : error(entry) {
    constexpr char kGiven[] = {error_format::conversion_of<Args>()..., '\0'};
    if (!error_format::takes(catalogue_entry(entry).format, kGiven)) {
      throw "the values given do not fit the error's message format";
    }
  }
  Err error;
};

// The message of `error` with its values, as it is printed after "Error N: ".
std::string catalogue_message(const ErrorEntry* entry, ...);

namespace error_format {
inline const char* vararg(const std::string& text) {
  return text.c_str();
}
template <typename T>
T vararg(T value) {
  return value;
}
}  // namespace error_format

[[noreturn]] void throw_fatal(Err error, std::string message, bool whole_board,
                              std::string reason = "");

// Ends the run with the error and its message filled in with `values`.
template <typename... Args>
[[noreturn]] void fatal_error(ErrorCall<std::type_identity_t<Args>...> call, Args... values) {
  throw_fatal(call.error,
              catalogue_message(&catalogue_entry(call.error), error_format::vararg(values)...),
              false);
}

// The same for the checks made after a whole board has been read.
template <typename... Args>
[[noreturn]] void fatal_board_error(ErrorCall<std::type_identity_t<Args>...> call, Args... values) {
  throw_fatal(call.error,
              catalogue_message(&catalogue_entry(call.error), error_format::vararg(values)...),
              true);
}

// The same for a file the system refused: `reason` is the phrase of platform/error_reasons.h
// ("permission denied", ...), printed on the line after the error.
template <typename... Args>
[[noreturn]] void fatal_file_error(ErrorCall<std::type_identity_t<Args>...> call,
                                   const std::string& reason, Args... values) {
  throw_fatal(call.error,
              catalogue_message(&catalogue_entry(call.error), error_format::vararg(values)...),
              true, reason);
}
