#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// What a folder entry is, as the listing tells it. Links are reported as links and
// never resolved here: the scan decides which ones it follows.
enum class EntryKind { Folder, File, Link, Other };

struct DirectoryEntry {
  std::string name;
  EntryKind kind = EntryKind::Other;
};

// An open folder, read through its own handle so that entries are opened relative
// to it. Thread rule: one thread at a time per object; different objects are
// independent.
class OpenDirectory {
 public:
  OpenDirectory() = default;
  ~OpenDirectory();
  OpenDirectory(OpenDirectory&& other) noexcept;
  OpenDirectory& operator=(OpenDirectory&& other) noexcept;
  OpenDirectory(const OpenDirectory&) = delete;
  OpenDirectory& operator=(const OpenDirectory&) = delete;

  // A folder the user named: a link to a folder is followed here, since the user
  // chose it. Nothing when it cannot be opened as a folder.
  static std::optional<OpenDirectory> Open(const std::string& path);
  // A subfolder met while walking: `name` inside the open folder `parentHandle`,
  // or a full path with -1. A link is never followed, so a link loop cannot make
  // a walk endless.
  static std::optional<OpenDirectory> OpenChild(int parentHandle, const std::string& name);

  bool IsOpen() const { return fd_ >= 0; }
  int Handle() const { return fd_; }
  // The file system the folder lies on, to tell where one mount ends.
  std::uint64_t Device() const { return device_; }
  // Whether `other` lies on the same mount as this folder. The mount's own id is
  // compared where the system gives it, since a second mount of the same device
  // (a bind mount) has the same device number; otherwise the device.
  bool OnSameMount(const OpenDirectory& other) const;

  // Every entry in the order the file system returns them, "." and ".." included.
  // False when the listing failed part-way; the entries read until then are kept.
  bool ReadEntries(std::vector<DirectoryEntry>& entries);

  void Close();

 private:
  static std::optional<OpenDirectory> FromHandle(int fd);

  int fd_ = -1;
  std::uint64_t device_ = 0;
  std::uint64_t mountId_ = 0;  // 0: not known
};

}  // namespace sorvane
