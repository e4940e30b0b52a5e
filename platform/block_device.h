#pragma once

#include <optional>
#include <string>

namespace sorvane {

// Whether the block device a file system was mounted from holds removable media
// (a memory stick, a card, an optical disc), as the kernel tells it in the
// device's "removable" attribute under `sysRoot` (normally /sys). A partition
// answers for the disk it lies on. `source` is the mount table's first field: a
// device path such as /dev/sdb1, possibly a link (/dev/disk/by-uuid/...).
// Nothing when the source is no block device the kernel lists.
std::optional<bool> IsRemovableBlockDevice(const std::string& source,
                                           const std::string& sysRoot = "/sys");

}  // namespace sorvane
