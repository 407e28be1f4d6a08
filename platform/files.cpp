#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_names.h"

TempFile::TempFile(const std::string& target) {
  const std::string folder = target.substr(0, file_name_start(target));
  // A short name, so a target name near the system's limit still leaves room for it.
  static const char kTemplate[] = ".silkora-XXXXXX";
  name_.assign(folder.begin(), folder.end());
  name_.insert(name_.end(), kTemplate, kTemplate + sizeof kTemplate);
  fd_ = ::mkstemp(name_.data());
  if (fd_ < 0) return;
  // A new file gets the permissions any newly created file gets here.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd_, 0666 & ~mask) != 0) discard();
}

TempFile::~TempFile() {
  discard();
}

bool TempFile::commit(bool written, const std::string& target) {
  bool ok = written;
  ok = (::close(fd_) == 0) && ok;
  fd_ = -1;
  ok = ok && ::rename(name_.data(), target.c_str()) == 0;
  if (ok) name_.clear();
  return ok;
}

void TempFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!name_.empty()) ::unlink(name_.data());
  name_.clear();
}

bool write_file_atomically(const std::string& path, std::string_view text) {
  TempFile temp(path);
  if (!temp.ok()) return false;
  bool written = true;
  while (!text.empty()) {
    const ssize_t n = ::write(temp.fd(), text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      written = false;
      break;
    }
    text.remove_prefix(static_cast<size_t>(n));
  }
  return temp.commit(written, path);
}
