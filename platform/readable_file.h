#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sorvane {

// A regular file opened for reading its raw bytes. Only regular files are ever
// opened: a FIFO, a device or a socket could block a reader or never end, and a
// link counts only when it leads to a regular file. Where the system allows it
// the open does not change the file's access time.
// Thread rule: one thread at a time per object.
class ReadableFile {
 public:
  ReadableFile() = default;
  ~ReadableFile();
  ReadableFile(ReadableFile&& other) noexcept;
  ReadableFile& operator=(ReadableFile&& other) noexcept;
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  // `name` inside the open folder `folderHandle` (or a full path with -1).
  // `mayBeLink`: the entry is a link, so its target is checked before opening.
  // `keepAccessTime`: ask the system not to change the access time, which it
  // refuses for files of other users (the open is then made again without).
  // False when it cannot be opened or is not a regular file.
  bool Open(int folderHandle, const std::string& name, bool mayBeLink,
            bool keepAccessTime = true);
  // Whether the last Open was refused the unchanged access time.
  bool AccessTimeRefused() const { return accessTimeRefused_; }
  bool IsOpen() const { return fd_ >= 0; }
  std::uint64_t Size() const { return size_; }

  // Fills `buffer` as far as the file goes: returns the bytes read, fewer than
  // `capacity` only at the end of the file or at a read error. The end is where
  // the file's size at opening lies: bytes appended while it is read may be left
  // unread. A file that reports no size is read until the system says it ends.
  std::size_t Read(unsigned char* buffer, std::size_t capacity);

  void Close();

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;    // when opened
  std::uint64_t offset_ = 0;  // bytes read so far
  bool accessTimeRefused_ = false;
};

}  // namespace sorvane
