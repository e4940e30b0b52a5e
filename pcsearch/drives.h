#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The kinds of drive an all-drives scan takes; everything else (pseudo file
// systems, optical and removable media, types nobody can tell) is left out.
enum class DriveKind { FixedDisk, Network, RamDisk };

struct ScanDrive {
  std::string mountPoint;
  DriveKind kind = DriveKind::FixedDisk;
  bool operator==(const ScanDrive&) const = default;
};

// The drives an all-drives scan visits, in the table's order, from the text of a
// mount table in the /proc/self/mounts format. A mount point listed twice counts
// once, with the file system mounted last (the one that can be seen there).
std::vector<ScanDrive> ClassifyMountTable(std::string_view mountTable);

// The folders of an all-drives scan on this machine: the accepted mount points.
// Empty when the mount table cannot be read.
std::vector<std::string> AllDriveFolders();

}  // namespace sorvane
