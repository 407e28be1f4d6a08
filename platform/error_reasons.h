// Why the system refused a file, in the program's own words: the phrase printed on the
// "  reason: ..." line under a file error. The same cause gives the same phrase on every system;
// a cause without a phrase of its own is "system error N" with the system's number.
#pragma once

#include <cstdint>
#include <string>

// The phrase for a folder where a file was wanted, found by the program's own test.
inline constexpr const char* kIsAFolderReason = "is a folder";

// The phrase for a POSIX errno value.
std::string posix_error_reason(int error_number);

// The phrase for a Windows system error code (what GetLastError gives).
std::string windows_error_reason(uint32_t error_code);

// The same for an error met on the file `name` (UTF-8). Windows reports a name with a part
// (between folder separators) longer than its 255 characters as not found; the program's own
// test says "name too long" there, as POSIX systems do.
std::string windows_error_reason(uint32_t error_code, const std::string& name);
