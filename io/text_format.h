// printf-style formatting done by the program itself, so that every message and record comes
// out as the same bytes whatever C library the program is built with.
//
// The directives are those of C's printf, with the results glibc gives: flags '-' and '0',
// a field width, a precision, the length letters 'l' and 'h' (which change nothing for the
// conversions here), and the conversions d, i, u, c, s, f (and lf) and %%. Anything else in a
// format is a fault of the program: it is printed as it stands.
#pragma once

#include <cstdarg>
#include <string>

// Appends `format` with its values converted to `out`.
void append_format(std::string& out, const char* format, va_list args);

// The same into a new string.
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints a message on stderr, formatted as above and written as it stands.
void print_message(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends `value` as "%<width>.<precision>f" prints it (inf and nan included).
void append_fixed(std::string& out, double value, int precision, int width = 0);
