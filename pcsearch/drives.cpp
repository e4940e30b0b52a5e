#include "pcsearch/drives.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/block_device.h"
#include "platform/mount_table.h"

namespace sorvane {

namespace {

constexpr std::array<std::string_view, 23> kFixedDiskTypes = {
    "ext2",  "ext3",    "ext4",   "xfs",     "btrfs",   "f2fs",   "jfs",  "reiserfs",
    "vfat",  "msdos",   "exfat",  "ntfs",    "ntfs3",   "fuseblk", "zfs", "hfs",
    "hfsplus", "nilfs2", "bcachefs", "ufs",  "minix",   "overlay", "apfs"};

constexpr std::array<std::string_view, 14> kNetworkTypes = {
    "nfs",  "nfs4",      "cifs",  "smb3",     "smbfs", "ncpfs", "afs",
    "ceph", "glusterfs", "9p",    "davfs",    "lustre", "gpfs", "beegfs"};

// FUSE file systems name themselves "fuse.<program>"; these programs reach other
// machines.
constexpr std::array<std::string_view, 9> kNetworkFusePrograms = {
    "sshfs", "rclone", "s3fs", "gcsfuse", "curlftpfs", "glusterfs", "davfs2", "smbnetfs", "goofys"};

constexpr std::array<std::string_view, 2> kRamDiskTypes = {"tmpfs", "ramfs"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

bool IsUnder(std::string_view path, std::string_view folder) {
  return path == folder ||
         (path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
          path[folder.size()] == '/');
}

// The table writes space, tab, newline and backslash in names as \ and three
// octal digits.
std::string Unescape(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(),
                                            [](char c) { return c >= '0' && c <= '7'; })) {
        const int value = (digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0');
        if (value > 0 && value < 256) {
          text += static_cast<char>(value);
          i += 3;
          continue;
        }
      }
    }
    text += field[i];
  }
  return text;
}

std::optional<DriveKind> Classify(const std::string& source, std::string_view mountPoint,
                                  std::string_view type, const RemovableLookup& isRemovable) {
  // The kernel's own trees hold interfaces, not files of the user's.
  if (IsUnder(mountPoint, "/proc") || IsUnder(mountPoint, "/sys")) return std::nullopt;
  // Desktops mount removable media here, like the drives a scan of every drive
  // leaves out.
  if (IsUnder(mountPoint, "/media") || IsUnder(mountPoint, "/run/media")) return std::nullopt;
  if (Contains(kRamDiskTypes, type)) return DriveKind::RamDisk;
  if (Contains(kFixedDiskTypes, type)) {
    // A stick or card carries an ordinary disk file system; only its device
    // tells it apart from a fixed disk.
    if (isRemovable && isRemovable(source)) return std::nullopt;
    return DriveKind::FixedDisk;
  }
  if (Contains(kNetworkTypes, type)) return DriveKind::Network;
  if (type.substr(0, 5) == "fuse." && Contains(kNetworkFusePrograms, type.substr(5)))
    return DriveKind::Network;
  return std::nullopt;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
    if (at > start) fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

}  // namespace

std::vector<ScanDrive> ClassifyMountTable(std::string_view mountTable,
                                          const RemovableLookup& isRemovable) {
  std::vector<ScanDrive> drives;
  std::size_t lineStart = 0;
  while (lineStart < mountTable.size()) {
    std::size_t lineEnd = mountTable.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = mountTable.size();
    const std::vector<std::string_view> fields =
        Fields(mountTable.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
    if (fields.size() < 3 || fields[0].front() == '#') continue;

    const std::string mountPoint = Unescape(fields[1]);
    if (mountPoint.empty() || mountPoint.front() != '/') continue;
    // A later mount on the same point hides the earlier one.
    std::erase_if(drives, [&](const ScanDrive& drive) { return drive.mountPoint == mountPoint; });
    const std::optional<DriveKind> kind =
        Classify(Unescape(fields[0]), mountPoint, fields[2], isRemovable);
    if (!kind) continue;
    drives.push_back(ScanDrive{mountPoint, *kind});
  }
  return drives;
}

std::vector<std::string> AllDriveFolders() {
  std::vector<std::string> folders;
  const std::optional<std::string> table = ReadMountTable();
  if (!table) return folders;
  const RemovableLookup removable = [](const std::string& source) {
    return IsRemovableBlockDevice(source).value_or(false);
  };
  for (const ScanDrive& drive : ClassifyMountTable(*table, removable))
    folders.push_back(drive.mountPoint);
  return folders;
}

}  // namespace sorvane
