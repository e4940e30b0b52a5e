#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "support/temp_folder.h"

namespace sorvane::testing {

// A fresh folder on the memory file system (/dev/shm) where there is one, else
// an ordinary temporary folder: for tests that make or rewrite thousands of
// files, which a disk that discards freed blocks makes slow.
class MemoryFolder {
 public:
  MemoryFolder() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) {
      char pattern[] = "/dev/shm/sorvane-test-XXXXXX";
      if (::mkdtemp(pattern) != nullptr) path_ = pattern;
    }
    if (path_.empty()) {
      fallback_ = std::make_unique<TempFolder>();
      path_ = fallback_->path();
    }
  }
  ~MemoryFolder() {
    std::error_code ignored;
    if (!fallback_) std::filesystem::remove_all(path_, ignored);
  }
  MemoryFolder(const MemoryFolder&) = delete;
  MemoryFolder& operator=(const MemoryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  std::filesystem::path Write(const std::string& name, std::string_view contents) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return file;
  }

 private:
  std::unique_ptr<TempFolder> fallback_;
  std::filesystem::path path_;
};

}  // namespace sorvane::testing
