// What the program asks of the operating system for its files, in one place: reading a board
// whole, the temporary output beside its target and its atomic replace, and whether a name is
// a folder. files.cpp holds the POSIX and the Windows answers side by side. Names are UTF-8;
// on Windows they are opened by their UTF-16 form, and a name that has none cannot be opened.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A file's whole content in memory: mapped where the system can map it, read otherwise.
class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // Makes the content of `name` available; false when it cannot be opened or read (a folder
  // included), and reason() then says why.
  bool open(const std::string& name);
  const char* data() const { return data_; }
  size_t size() const { return size_; }
  // Why the last open() failed, as platform/error_reasons.h words it; empty after a success.
  const std::string& reason() const { return reason_; }
  // Tells the system that [begin, end) of the content is not needed for now: the pages of a
  // mapped file inside it leave the process's memory, and come back unchanged from the
  // system's file cache if they are read again. Content read into memory stays as it is.
  void let_go(size_t begin, size_t end);

 private:
  void release();
  std::string owned_;        // the content, when it was read rather than mapped
  void* mapping_ = nullptr;  // the mapped view, if any
  size_t mapping_size_ = 0;
  const char* data_ = nullptr;
  size_t size_ = 0;
  std::string reason_;
};

// A temporary file beside an output file, renamed into place only when it is complete and
// removed otherwise: an output appears whole or not at all, and an older file of its name is
// replaced only by a complete new one.
class TempFile {
 public:
  // In the target's folder, so the rename cannot cross file systems. A target that is a folder
  // gets no temporary file.
  explicit TempFile(const std::string& target);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return handle_ != kNoHandle; }

  // Writes all of [data, data + size); false when any of it could not be written.
  bool write(const char* data, size_t size);

  // Closes the file and renames it to `target`, replacing any file of that name; false when
  // anything of it failed (`written` false counts as a failure), and then nothing is left
  // behind.
  bool commit(bool written, const std::string& target);

  // Why the first step that failed failed (making, writing, closing or renaming the file), as
  // platform/error_reasons.h words it; empty while nothing failed.
  const std::string& reason() const { return reason_; }

 private:
  void discard();
  // Keeps the first failure's reason: a later step fails only because of it.
  void failed(const std::string& reason) {
    if (reason_.empty()) reason_ = reason;
  }
  static constexpr intptr_t kNoHandle = -1;
  std::string name_;  // empty once renamed or removed
  intptr_t handle_ = kNoHandle;
  std::string reason_;
  // Bytes written so far, and where the part not yet handed to the disk begins.
  uint64_t written_ = 0, unsent_from_ = 0;
};

// Writes `text` as the whole content of `path` through a TempFile; false on any failure, with
// its reason in `reason`.
bool write_file_atomically(const std::string& path, std::string_view text, std::string& reason);

// Whether `name` is an existing folder.
bool is_folder(const std::string& name);
