#include "platform/files.h"

#include <algorithm>
#include <string>

#include "platform/error_reasons.h"
#include "platform/file_names.h"

#if defined(_WIN32)
#include <windows.h>

#include "platform/text_encoding.h"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

FileBytes::~FileBytes() {
  release();
}

bool write_file_atomically(const std::string& path, std::string_view text, std::string& reason) {
  TempFile temp(path);
  const bool written = temp.ok() && temp.write(text.data(), text.size());
  const bool done = temp.ok() && temp.commit(written, path);
  reason = temp.reason();
  return done;
}

TempFile::~TempFile() {
  discard();
}

#if defined(_WIN32)

namespace {

// The UTF-16 form of a name for the W calls; false when the name has none.
bool wide_name(const std::string& name, std::wstring& wide) {
  std::u16string utf16;
  if (!utf8_to_utf16(name, utf16)) return false;
  wide.assign(utf16.begin(), utf16.end());
  return true;
}

HANDLE as_handle(intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}

// The reason of the last failed call.
std::string last_error_reason() {
  return windows_error_reason(::GetLastError());
}

// A name that has no UTF-16 form is one Windows cannot hold: refused as Windows refuses an
// invalid name.
std::string invalid_name_reason() {
  return windows_error_reason(ERROR_INVALID_NAME);
}

}  // namespace

bool FileBytes::open(const std::string& name) {
  release();
  reason_.clear();
  std::wstring wide;
  if (!wide_name(name, wide)) {
    reason_ = invalid_name_reason();
    return false;
  }
  const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Windows refuses a folder as "access denied"; the program's own test says what it is, as
    // on POSIX.
    const DWORD error = ::GetLastError();
    reason_ = is_folder(name) ? kIsAFolderReason : windows_error_reason(error, name);
    return false;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size) || static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) {
    reason_ = last_error_reason();
    ::CloseHandle(file);
    return false;
  }
  const size_t file_size = static_cast<size_t>(size.QuadPart);
  if (file_size > 0) {
    // Mapping reads the file straight from the system's cache, without a copy.
    const HANDLE map = ::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (map != nullptr) {
      void* view = ::MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0);
      ::CloseHandle(map);
      if (view != nullptr) {
        ::CloseHandle(file);
        mapping_ = view;
        mapping_size_ = file_size;
        data_ = static_cast<const char*>(view);
        size_ = file_size;
        return true;
      }
    }
  }
  size_t used = 0;
  owned_.resize(65536);
  for (;;) {
    if (used == owned_.size()) owned_.resize(owned_.size() * 2);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(owned_.size() - used, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file, owned_.data() + used, want, &got, nullptr)) {
      reason_ = last_error_reason();
      ::CloseHandle(file);
      owned_.clear();
      return false;
    }
    if (got == 0) break;
    used += got;
  }
  ::CloseHandle(file);
  owned_.resize(used);
  data_ = owned_.data();
  size_ = owned_.size();
  return true;
}

// The mapped view stays whole: pages of a view cannot be given back one by one here without
// unmapping it.
void FileBytes::let_go(size_t, size_t) {}

void FileBytes::release() {
  if (mapping_ != nullptr) ::UnmapViewOfFile(mapping_);
  mapping_ = nullptr;
  owned_.clear();
  data_ = nullptr;
  size_ = 0;
}

TempFile::TempFile(const std::string& target) {
  const std::string folder = target.substr(0, file_name_start(target));
  std::wstring wide_target;
  if (!wide_name(target, wide_target)) {  // no file can be made under such a name
    failed(invalid_name_reason());
    return;
  }
  if (is_folder(target)) {
    failed(kIsAFolderReason);
    return;
  }
  // A short name made unique by the process and a counter; CREATE_NEW never opens an
  // existing file.
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = folder + ".silkora-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(counter++);
    std::wstring wide;
    if (!wide_name(name, wide)) {
      failed(invalid_name_reason());
      return;
    }
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<intptr_t>(file);
      name_ = name;
      return;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS) {
      failed(windows_error_reason(error, name));
      return;
    }
  }
  failed(windows_error_reason(ERROR_FILE_EXISTS));
}

bool TempFile::write(const char* data, size_t size) {
  if (handle_ == kNoHandle) return false;
  while (size > 0) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD done = 0;
    if (!::WriteFile(as_handle(handle_), data, want, &done, nullptr)) {
      failed(last_error_reason());
      return false;
    }
    if (done == 0) {  // nothing written and no error: no room left
      failed(windows_error_reason(ERROR_DISK_FULL));
      return false;
    }
    data += done;
    size -= done;
  }
  return true;
}

bool TempFile::commit(bool written, const std::string& target) {
  bool ok = written && handle_ != kNoHandle;
  // The content reaches the disk before it takes the target's name, as on POSIX; the move's
  // write-through covers only the rename itself.
  if (handle_ != kNoHandle) {
    if (ok && ::FlushFileBuffers(as_handle(handle_)) == 0) {
      failed(last_error_reason());
      ok = false;
    }
    if (::CloseHandle(as_handle(handle_)) == 0) {
      failed(last_error_reason());
      ok = false;
    }
  }
  handle_ = kNoHandle;
  std::wstring from, to;
  if (ok && !(wide_name(name_, from) && wide_name(target, to))) {
    failed(invalid_name_reason());
    ok = false;
  }
  if (ok && ::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    failed(windows_error_reason(::GetLastError(), target));
    ok = false;
  }
  if (ok) name_.clear();
  discard();
  return ok;
}

void TempFile::discard() {
  if (handle_ != kNoHandle) ::CloseHandle(as_handle(handle_));
  handle_ = kNoHandle;
  std::wstring wide;
  if (!name_.empty() && wide_name(name_, wide)) ::DeleteFileW(wide.c_str());
  name_.clear();
}

bool is_folder(const std::string& name) {
  std::wstring wide;
  if (!wide_name(name, wide)) return false;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

#else  // POSIX

bool FileBytes::open(const std::string& name) {
  release();
  reason_.clear();
  const int fd = ::open(name.c_str(), O_RDONLY);
  if (fd < 0) {
    reason_ = posix_error_reason(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    reason_ = S_ISDIR(info.st_mode) ? kIsAFolderReason : posix_error_reason(errno);
    ::close(fd);
    return false;
  }
  const size_t file_size = S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
  if (file_size > 0) {
    // Mapping the file reads it straight from the page cache: no copy and no fresh memory to
    // clear. The whole mapping is set up at once rather than one page fault at a time.
#if defined(MAP_POPULATE)
    constexpr int kFlags = MAP_PRIVATE | MAP_POPULATE;
#else
    constexpr int kFlags = MAP_PRIVATE;
#endif
    void* map = ::mmap(nullptr, file_size, PROT_READ, kFlags, fd, 0);
    if (map != MAP_FAILED) {
      ::close(fd);
      mapping_ = map;
      mapping_size_ = file_size;
      data_ = static_cast<const char*>(map);
      size_ = file_size;
      return true;
    }
  }
  // Anything that cannot be mapped (a pipe, say) is read into a string that grows as needed.
  size_t used = 0;
  owned_.resize(65536);
  for (;;) {
    if (used == owned_.size()) owned_.resize(owned_.size() * 2);
    const ssize_t n = ::read(fd, owned_.data() + used, owned_.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason_ = posix_error_reason(errno);
      ::close(fd);
      owned_.clear();
      return false;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  owned_.resize(used);
  data_ = owned_.data();
  size_ = owned_.size();
  return true;
}

void FileBytes::let_go(size_t begin, size_t end) {
  if (mapping_ == nullptr) return;
  // Only whole pages inside the range; the mapping itself begins on a page.
  static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t from = (begin + page - 1) / page * page;
  const size_t to = std::min(end, mapping_size_) / page * page;
  if (to > from) ::madvise(static_cast<char*>(mapping_) + from, to - from, MADV_DONTNEED);
}

void FileBytes::release() {
  if (mapping_ != nullptr) ::munmap(mapping_, mapping_size_);
  mapping_ = nullptr;
  owned_.clear();
  data_ = nullptr;
  size_ = 0;
}

TempFile::TempFile(const std::string& target) {
  const std::string folder = target.substr(0, file_name_start(target));
  if (is_folder(target)) {
    failed(kIsAFolderReason);
    return;
  }
  // A short name, so a target name near the system's limit still leaves room for it.
  std::string name = folder + ".silkora-XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    failed(posix_error_reason(errno));
    return;
  }
  handle_ = fd;
  name_ = name;
  // A new file gets the permissions any newly created file gets here.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) {
    failed(posix_error_reason(errno));
    discard();
  }
}

bool TempFile::write(const char* data, size_t size) {
  if (handle_ == kNoHandle) return false;
  while (size > 0) {
    const ssize_t n = ::write(static_cast<int>(handle_), data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Nothing written and no error: no room left.
      failed(posix_error_reason(n < 0 ? errno : ENOSPC));
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
    written_ += static_cast<uint64_t>(n);
  }
#ifdef __linux__
  // The content is flushed to the disk before the rename; starting that in the background as
  // the board is written lets the disk work while the rest is still being printed, so the
  // final flush waits only for the last piece.
  constexpr uint64_t kWritebackStep = uint64_t{8} << 20;
  if (written_ - unsent_from_ >= kWritebackStep) {
    ::sync_file_range(static_cast<int>(handle_), static_cast<off_t>(unsent_from_),
                      static_cast<off_t>(written_ - unsent_from_), SYNC_FILE_RANGE_WRITE);
    unsent_from_ = written_;
  }
#endif
  return true;
}

namespace {

// Waits until the file's content is on the disk; false when the system says it may not be.
bool sync_to_disk(int fd) {
  for (;;) {
    if (::fsync(fd) == 0) return true;
    if (errno != EINTR) return false;
  }
}

// The rename is written to the disk as well, so a board reported as created is there after a
// power cut. The rename has happened by then, so a folder that cannot be synced (some file
// systems refuse it) changes nothing of the result.
void sync_folder_of(const std::string& target) {
  const size_t start = file_name_start(target);
  const std::string folder = start == 0 ? "." : target.substr(0, start);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  sync_to_disk(fd);
  ::close(fd);
}

}  // namespace

bool TempFile::commit(bool written, const std::string& target) {
  bool ok = written && handle_ != kNoHandle;
  // The content reaches the disk before it takes the target's name: after a power cut the
  // target holds the old board or the new one, never a file whose content was not yet written.
  if (handle_ != kNoHandle) {
    if (ok && !sync_to_disk(static_cast<int>(handle_))) {
      failed(posix_error_reason(errno));
      ok = false;
    }
    if (::close(static_cast<int>(handle_)) != 0) {
      failed(posix_error_reason(errno));
      ok = false;
    }
  }
  handle_ = kNoHandle;
  if (ok && ::rename(name_.c_str(), target.c_str()) != 0) {
    failed(posix_error_reason(errno));
    ok = false;
  }
  if (ok) {
    name_.clear();
    sync_folder_of(target);
  }
  discard();
  return ok;
}

void TempFile::discard() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
  if (!name_.empty()) ::unlink(name_.c_str());
  name_.clear();
}

bool is_folder(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

#endif
