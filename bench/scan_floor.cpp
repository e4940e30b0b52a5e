// The floors a folder scan is measured against: walking a tree without reading
// anything, and reading every file whole without looking at the bytes.
//
//   scan_floor walk DIR            lists the tree; prints "FILES 0"
//   scan_floor read THREADS DIR    lists it, then reads every regular file in
//                                  128 KiB pieces on THREADS threads, with the
//                                  scan's calls (open, fstat, read, close);
//                                  prints "FILES BYTES"
//
// Like the scan, it lists with the folder's own handle, opens entries relative
// to it, follows no links and reads regular files only.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

void Walk(int folder, const std::string& path, std::vector<std::string>& files) {
  DIR* stream = ::fdopendir(folder);
  if (stream == nullptr) {
    ::close(folder);
    return;
  }
  while (const dirent* entry = ::readdir(stream)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      struct stat info {};
      if (::fstatat(::dirfd(stream), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_DIR) {
      const int child = ::openat(::dirfd(stream), name.c_str(),
                                 O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child >= 0) Walk(child, path + "/" + name, files);
    } else if (type == DT_REG) {
      files.push_back(path + "/" + name);
    }
  }
  ::closedir(stream);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (!((mode == "walk" && argc == 3) || (mode == "read" && argc == 4))) {
    std::fprintf(stderr, "usage: scan_floor walk DIR | scan_floor read THREADS DIR\n");
    return 2;
  }
  const std::string root = argv[argc - 1];
  const int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    std::perror(root.c_str());
    return 1;
  }
  std::vector<std::string> files;
  Walk(folder, root, files);
  if (mode == "walk") {
    std::printf("%zu 0\n", files.size());
    return 0;
  }

  const int threads = std::max(1, std::atoi(argv[2]));
  std::atomic<std::size_t> next{0};
  std::atomic<unsigned long long> bytes{0};
  auto reader = [&] {
    constexpr std::size_t kPiece = 128 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kPiece]);
    unsigned long long mine = 0;
    for (std::size_t at = next++; at < files.size(); at = next++) {
      const int fd = ::open(files[at].c_str(), O_RDONLY | O_NONBLOCK | O_NOATIME | O_CLOEXEC);
      if (fd < 0) continue;
      // As the scan reads: a short read that reaches the size is the end.
      struct stat info {};
      const unsigned long long size =
          ::fstat(fd, &info) == 0 ? static_cast<unsigned long long>(info.st_size) : 0;
      unsigned long long offset = 0;
      for (ssize_t got; (got = ::read(fd, buffer.get(), kPiece)) > 0;) {
        offset += static_cast<unsigned long long>(got);
        if (static_cast<std::size_t>(got) < kPiece && size > 0 && offset >= size) break;
      }
      mine += offset;
      ::close(fd);
    }
    bytes += mine;
  };
  std::vector<std::thread> pool;
  for (int i = 1; i < threads; ++i) pool.emplace_back(reader);
  reader();
  for (std::thread& thread : pool) thread.join();
  std::printf("%zu %llu\n", files.size(), bytes.load());
  return 0;
}
