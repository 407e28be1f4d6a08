#include "io/fatal_error.h"

#include <cstdarg>

std::string catalogue_message(const ErrorEntry* entry, ...) {
  std::string message;
  va_list args;
  va_start(args, entry);
  append_format(message, entry->format, args);
  va_end(args);
  return message;
}

void throw_fatal(Err error, std::string message, bool whole_board, std::string reason) {
  FatalError e(catalogue_entry(error).code, std::move(message), whole_board);
  if (!reason.empty()) e.reason = "  reason: " + reason + "\n";
  throw e;
}
