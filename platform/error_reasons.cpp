// Both mappings are plain functions of a number, so both are built and tested on every system.
#include "platform/error_reasons.h"

#include <cerrno>

namespace {

constexpr const char* kNoSuchFile = "no such file or folder";
constexpr const char* kPermissionDenied = "permission denied";
constexpr const char* kDiskFull = "disk full";
constexpr const char* kInUse = "in use by another program";
constexpr const char* kNameTooLong = "name too long";
constexpr const char* kReadOnly = "read-only file system";

}  // namespace

std::string posix_error_reason(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return kNoSuchFile;
    case EACCES:
    case EPERM:
      return kPermissionDenied;
    case EISDIR:
      return kIsAFolderReason;
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
      return kDiskFull;
    case ETXTBSY:
    case EBUSY:
      return kInUse;
    case ENAMETOOLONG:
      return kNameTooLong;
    case EROFS:
      return kReadOnly;
    default:
      return "system error " + std::to_string(error_number);
  }
}

std::string windows_error_reason(uint32_t error_code) {
  // The values of the winerror.h constants, which are fixed for good; written out here so that
  // this mapping is built and tested on every system.
  switch (error_code) {
    case 2:  // ERROR_FILE_NOT_FOUND
    case 3:  // ERROR_PATH_NOT_FOUND
      return kNoSuchFile;
    case 5:  // ERROR_ACCESS_DENIED
      return kPermissionDenied;
    case 112:  // ERROR_DISK_FULL
    case 39:   // ERROR_HANDLE_DISK_FULL
      return kDiskFull;
    case 32:  // ERROR_SHARING_VIOLATION
    case 33:  // ERROR_LOCK_VIOLATION
      return kInUse;
    case 206:  // ERROR_FILENAME_EXCED_RANGE
      return kNameTooLong;
    case 19:  // ERROR_WRITE_PROTECT
      return kReadOnly;
    default:
      return "system error " + std::to_string(error_code);
  }
}

namespace {

// Whether a part of `name` between '/' and '\' takes more than 255 UTF-16 units: a UTF-8
// sequence of four bytes takes two, any other one.
bool has_overlong_part(const std::string& name) {
  size_t units = 0;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\') {
      units = 0;
      continue;
    }
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    units += byte >= 0xF0 ? 2 : 1;
    if (units > 255) return true;
  }
  return false;
}

}  // namespace

std::string windows_error_reason(uint32_t error_code, const std::string& name) {
  const bool not_found = error_code == 2 || error_code == 3;
  return not_found && has_overlong_part(name) ? kNameTooLong : windows_error_reason(error_code);
}
