#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sorvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return contents;
}

#ifdef _WIN32

namespace {

bool WriteThenMove(const std::filesystem::path& path, std::string_view contents, bool replaceExisting) {
  std::filesystem::path temp = path;
  temp += L".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!MoveFileExW(temp.c_str(), path.c_str(), flags)) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  return WriteThenMove(path, contents, true);
}

bool CreateFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  return WriteThenMove(path, contents, false);
}

#else

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The process's file mode mask. Setting it to read it back would change it for
// every thread for a moment (a file another thread creates then could come out
// writable by all), so it is read from /proc where the kernel offers it.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

mode_t ModeForReplacement(const std::filesystem::path& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

// Moves the finished temporary file to its name. Without `replaceExisting` a file
// already there wins: the kernel refuses the move in one step where the file
// system allows it, else a check just before the move leaves only a tiny window.
bool MoveIntoPlace(const std::string& tempPath, const std::filesystem::path& path, bool replaceExisting) {
  if (replaceExisting) return ::rename(tempPath.c_str(), path.c_str()) == 0;
  if (::renameat2(AT_FDCWD, tempPath.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) == 0 || errno != ENOENT) return false;
  return ::rename(tempPath.c_str(), path.c_str()) == 0;
}

bool WriteThenMove(const std::filesystem::path& path, std::string_view contents, bool replaceExisting) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // A short name of its own, not the target's name with more added: a target
  // whose name is as long as the file system allows must still be writable.
  std::string pattern = (folder / ".sorvane-XXXXXX").string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  const std::string tempPath = pattern;

  bool ok = WriteAll(fd, contents);
  ok = ok && ::fchmod(fd, ModeForReplacement(path)) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && MoveIntoPlace(tempPath, path, replaceExisting);
  if (!ok) {
    ::unlink(tempPath.c_str());
    return false;
  }
  // The rename itself reaches the disk only with its folder.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  return WriteThenMove(path, contents, true);
}

bool CreateFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  return WriteThenMove(path, contents, false);
}

#endif

}  // namespace sorvane
