#include "platform/error_reasons.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(ErrorReasons, PosixErrorsByCause) {
  const struct {
    int error_number;
    std::string reason;
  } cases[] = {
    {ENOENT, "no such file or folder"},
    {ENOTDIR, "no such file or folder"},
    {EACCES, "permission denied"},
    {EPERM, "permission denied"},
    {EISDIR, "is a folder"},
    {ENOSPC, "disk full"},
#if defined(EDQUOT)
    {EDQUOT, "disk full"},
#endif
    {ETXTBSY, "in use by another program"},
    {EBUSY, "in use by another program"},
    {ENAMETOOLONG, "name too long"},
    {EROFS, "read-only file system"},
    // Everything else names the system's own number.
    {EIO, "system error " + std::to_string(EIO)},
    {EMFILE, "system error " + std::to_string(EMFILE)},
    {0, "system error 0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(posix_error_reason(c.error_number), c.reason) << "errno " << c.error_number;
  }
}

TEST(ErrorReasons, WindowsErrorsByCause) {
  // The winerror.h values, which this test cannot include on Linux.
  constexpr uint32_t ERROR_FILE_NOT_FOUND = 2, ERROR_PATH_NOT_FOUND = 3, ERROR_ACCESS_DENIED = 5,
                     ERROR_INVALID_HANDLE = 6, ERROR_WRITE_PROTECT = 19,
                     ERROR_SHARING_VIOLATION = 32, ERROR_LOCK_VIOLATION = 33,
                     ERROR_HANDLE_DISK_FULL = 39, ERROR_DISK_FULL = 112, ERROR_INVALID_NAME = 123,
                     ERROR_FILENAME_EXCED_RANGE = 206, ERROR_DIRECTORY = 267;
  const struct {
    uint32_t code;
    std::string reason;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, "no such file or folder"},
      {ERROR_PATH_NOT_FOUND, "no such file or folder"},
      {ERROR_ACCESS_DENIED, "permission denied"},
      {ERROR_DISK_FULL, "disk full"},
      {ERROR_HANDLE_DISK_FULL, "disk full"},
      {ERROR_SHARING_VIOLATION, "in use by another program"},
      {ERROR_LOCK_VIOLATION, "in use by another program"},
      {ERROR_FILENAME_EXCED_RANGE, "name too long"},
      {ERROR_WRITE_PROTECT, "read-only file system"},
      {ERROR_INVALID_HANDLE, "system error 6"},
      {ERROR_INVALID_NAME, "system error 123"},
      {ERROR_DIRECTORY, "system error 267"},
      {4294967295u, "system error 4294967295"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows_error_reason(c.code), c.reason) << "code " << c.code;
  }
}

// Windows reports a name part longer than 255 UTF-16 units as not found; the program says what
// POSIX says. Only the part between separators counts, and a four-byte UTF-8 letter takes two.
TEST(ErrorReasons, WindowsNameTooLongByTheProgramsOwnTest) {
  const std::string part255(255, 'a');
  const std::string part256(256, 'a');
  std::string emoji128;  // 128 letters of four bytes: 256 UTF-16 units
  for (int i = 0; i < 128; ++i) emoji128 += "\xF0\x9F\x98\x80";
  std::string umlaut200;  // 200 letters of two bytes: 200 units
  for (int i = 0; i < 200; ++i) umlaut200 += "\xC3\xA4";
  const struct {
    uint32_t code;
    std::string name;
    const char* reason;
  } cases[] = {
      {2, part256 + ".krv", "name too long"},
      {3, "C:\\boards\\" + part256 + "\\b.krv", "name too long"},
      {2, "boards/" + part255, "no such file or folder"},
      {2, part255 + "/" + part255, "no such file or folder"},
      {2, emoji128, "name too long"},
      {2, umlaut200 + ".krv", "no such file or folder"},
      // Other errors keep their own phrase, whatever the name.
      {5, part256, "permission denied"},
      {123, part256, "system error 123"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windows_error_reason(c.code, c.name), c.reason) << c.code << " " << c.name.size();
  }
}
