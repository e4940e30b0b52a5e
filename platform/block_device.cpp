#include "platform/block_device.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace sorvane {

namespace {

std::optional<bool> ReadFlag(const std::filesystem::path& file) {
  std::ifstream in(file);
  char value = 0;
  if (!(in >> value)) return std::nullopt;
  return value == '1';
}

}  // namespace

std::optional<bool> IsRemovableBlockDevice(const std::string& source, const std::string& sysRoot) {
  namespace fs = std::filesystem;
  if (source.rfind("/dev/", 0) != 0) return std::nullopt;
  std::error_code error;
  // /dev/disk/by-uuid/..., /dev/mapper/... and the like are links to the node.
  fs::path device = fs::canonical(source, error);
  if (error) device = source;
  const std::string name = device.filename().string();
  if (name.empty()) return std::nullopt;

  const fs::path entry = fs::path(sysRoot) / "class" / "block" / name;
  // The entry is a link into the device tree, where a partition's folder lies
  // inside its disk's folder; only the disk carries the attribute.
  fs::path folder = fs::canonical(entry, error);
  if (error) return std::nullopt;
  if (fs::exists(folder / "partition", error)) folder = folder.parent_path();
  return ReadFlag(folder / "removable");
}

}  // namespace sorvane
