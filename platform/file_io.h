#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The whole file as bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces `path` with `contents` so that no reader ever sees a half-written file:
// the bytes go to a temporary file in the same folder, are flushed to the disk and
// only then renamed over the old file. Any failure removes the temporary file,
// leaves the old file as it was and returns false. A new file gets the old file's
// permissions, or the usual ones for a new file.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Writes a new file in the same way, but never replaces one: when `path` exists,
// even as an empty file, it is left as it is and false is returned.
bool CreateFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace sorvane
