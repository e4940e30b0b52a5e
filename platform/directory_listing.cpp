#include "platform/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace sorvane {

namespace {

EntryKind KindFromMode(mode_t mode) {
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISLNK(mode)) return EntryKind::Link;
  return EntryKind::Other;
}

}  // namespace

OpenDirectory::~OpenDirectory() { Close(); }

OpenDirectory::OpenDirectory(OpenDirectory&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), device_(other.device_), mountId_(other.mountId_) {}

OpenDirectory& OpenDirectory::operator=(OpenDirectory&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    device_ = other.device_;
    mountId_ = other.mountId_;
  }
  return *this;
}

void OpenDirectory::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::optional<OpenDirectory> OpenDirectory::FromHandle(int fd) {
  if (fd < 0) return std::nullopt;
  OpenDirectory folder;
  struct statx info {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_TYPE | STATX_MNT_ID, &info) == 0) {
    if (!S_ISDIR(info.stx_mode)) {
      ::close(fd);
      return std::nullopt;
    }
    folder.device_ = ::makedev(info.stx_dev_major, info.stx_dev_minor);
    if (info.stx_mask & STATX_MNT_ID) folder.mountId_ = info.stx_mnt_id;
  } else {
    struct stat plain {};
    if (::fstat(fd, &plain) != 0 || !S_ISDIR(plain.st_mode)) {
      ::close(fd);
      return std::nullopt;
    }
    folder.device_ = static_cast<std::uint64_t>(plain.st_dev);
  }
  folder.fd_ = fd;
  return folder;
}

bool OpenDirectory::OnSameMount(const OpenDirectory& other) const {
  if (mountId_ != 0 && other.mountId_ != 0) return mountId_ == other.mountId_;
  return device_ == other.device_;
}

std::optional<OpenDirectory> OpenDirectory::Open(const std::string& path) {
  if (path.empty()) return std::nullopt;
  return FromHandle(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

std::optional<OpenDirectory> OpenDirectory::OpenChild(int parentHandle, const std::string& name) {
  if (name.empty()) return std::nullopt;
  return FromHandle(::openat(parentHandle >= 0 ? parentHandle : AT_FDCWD, name.c_str(),
                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool OpenDirectory::ReadEntries(std::vector<DirectoryEntry>& entries) {
  if (fd_ < 0) return false;
  // The stream gets its own handle, so ours stays valid for opening entries.
  const int streamFd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (streamFd < 0) return false;
  DIR* stream = ::fdopendir(streamFd);
  if (stream == nullptr) {
    ::close(streamFd);
    return false;
  }
  ::rewinddir(stream);
  bool complete = true;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(stream);
    if (entry == nullptr) {
      complete = errno == 0;
      break;
    }
    DirectoryEntry item;
    item.name = entry->d_name;
    switch (entry->d_type) {
      case DT_DIR: item.kind = EntryKind::Folder; break;
      case DT_REG: item.kind = EntryKind::File; break;
      case DT_LNK: item.kind = EntryKind::Link; break;
      case DT_UNKNOWN: {
        // Some file systems do not fill the type in; ask for it, without
        // following a link.
        struct stat info {};
        item.kind = ::fstatat(fd_, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
                        ? KindFromMode(info.st_mode)
                        : EntryKind::Other;
        break;
      }
      default: item.kind = EntryKind::Other; break;
    }
    entries.push_back(std::move(item));
  }
  ::closedir(stream);
  return complete;
}

}  // namespace sorvane
