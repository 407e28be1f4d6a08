// Preloaded (LD_PRELOAD) in place of the system's fsync by run_failed_fsync.sh: a disk that
// cannot write, seen from the program. SILKORA_FAIL_FSYNC says what fails: "files" (fsync of a
// regular file) or "folders"; anything else pretends to succeed, so nothing waits for the disk.
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" int fsync(int fd) {
  const char* what = std::getenv("SILKORA_FAIL_FSYNC");
  struct stat info {};
  if (what == nullptr || ::fstat(fd, &info) != 0) return 0;
  const bool fails = (std::strcmp(what, "files") == 0 && S_ISREG(info.st_mode)) ||
                     (std::strcmp(what, "folders") == 0 && S_ISDIR(info.st_mode));
  if (!fails) return 0;
  errno = EIO;
  return -1;
}
