#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>

namespace sorvane {

// One of the files a program folder starts with (engines.dat, categories.dat,
// the start page and its banners), compiled into the programs from data/ so that
// they are at hand wherever the program runs.
struct DefaultFile {
  std::string_view name;
  const unsigned char* data;
  std::size_t size;
};

// The default files, sorted by name; generated at build time.
std::span<const DefaultFile> BuiltInDefaultFiles();

// Gives `folder` every file of `files` it lacks. A file that is there, even an
// empty one, is the user's and is never overwritten; a file is never seen half
// written, as each appears under its name only once all its bytes are on disk.
// A folder that does not exist or cannot be written is left alone: the program
// then reports the missing files where it reads them, as it always has.
void AddMissingDefaultFiles(const std::filesystem::path& folder, std::span<const DefaultFile> files);

}  // namespace sorvane
