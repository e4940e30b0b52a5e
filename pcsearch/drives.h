#pragma once

#include <functional>
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

// Whether a mount table source (its first field, e.g. /dev/sdb1) is a device
// with removable media. On this machine: the kernel's "removable" attribute of
// the device (IsRemovableBlockDevice); tests pass their own answer.
using RemovableLookup = std::function<bool(const std::string& source)>;

// The drives an all-drives scan visits, in the table's order, from the text of a
// mount table in the /proc/self/mounts format. A mount point listed twice counts
// once, with the file system mounted last (the one that can be seen there).
// Fixed disks are the file systems of local block devices (and the overlay a
// container's root is); network drives are the network file systems and the FUSE
// programs that reach other machines; RAM disks are tmpfs and ramfs. Left out:
// the kernel's pseudo file systems, optical discs, read-only package images
// (squashfs), anything under /proc and /sys, and removable media, which is a
// source `isRemovable` says yes to or a mount under /media or /run/media, where
// desktops mount what is plugged in.
std::vector<ScanDrive> ClassifyMountTable(std::string_view mountTable,
                                          const RemovableLookup& isRemovable);

// The folders of an all-drives scan on this machine: the accepted mount points.
// Empty when the mount table cannot be read.
std::vector<std::string> AllDriveFolders();

}  // namespace sorvane
