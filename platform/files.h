// What the program asks of the operating system for its output files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A temporary file beside an output file, renamed into place only when it is complete and
// removed otherwise: an output appears whole or not at all, and an older file of its name is
// replaced only by a complete new one.
class TempFile {
 public:
  // In the target's folder, so the rename cannot cross file systems.
  explicit TempFile(const std::string& target);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // Closes the file and renames it to `target`; false when anything of it failed (`written`
  // false counts as a failure), and then nothing is left behind.
  bool commit(bool written, const std::string& target);

 private:
  void discard();
  std::vector<char> name_;
  int fd_ = -1;
};

// Writes `text` as the whole content of `path` through a TempFile; false on any failure.
bool write_file_atomically(const std::string& path, std::string_view text);
