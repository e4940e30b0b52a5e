// Which mounted file systems an all-drives scan visits, from sample mount tables,
// and how a removable device is told from the kernel's device tree.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "pcsearch/drives.h"
#include "platform/block_device.h"
#include "platform/directory_listing.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr const char* kDesktopMounts =
    "sysfs /sys sysfs rw,nosuid,nodev,noexec,relatime 0 0\n"
    "proc /proc proc rw,nosuid,nodev,noexec,relatime 0 0\n"
    "udev /dev devtmpfs rw,nosuid,relatime,size=8123456k,nr_inodes=2030864,mode=755 0 0\n"
    "devpts /dev/pts devpts rw,nosuid,noexec,relatime,gid=5,mode=620,ptmxmode=000 0 0\n"
    "tmpfs /run tmpfs rw,nosuid,nodev,noexec,relatime,size=1630000k,mode=755 0 0\n"
    "/dev/sda1 / ext4 rw,relatime,errors=remount-ro 0 0\n"
    "securityfs /sys/kernel/security securityfs rw,nosuid,nodev,noexec,relatime 0 0\n"
    "tmpfs /dev/shm tmpfs rw,nosuid,nodev 0 0\n"
    "cgroup2 /sys/fs/cgroup cgroup2 rw,nosuid,nodev,noexec,relatime 0 0\n"
    "/dev/sda2 /home xfs rw,relatime 0 0\n"
    "/dev/loop3 /snap/core22/1122 squashfs ro,nodev,relatime,errors=continue 0 0\n"
    "server:/export /mnt/nfs nfs4 rw,relatime,vers=4.2,addr=10.0.0.2 0 0\n"
    "//nas/share /mnt/share cifs rw,relatime,vers=3.0 0 0\n"
    "me@host:/srv /home/me/remote fuse.sshfs rw,nosuid,nodev,relatime,user_id=1000 0 0\n"
    "/dev/sr0 /mnt/cdrom iso9660 ro,nosuid,nodev,relatime 0 0\n"
    "/dev/sdb1 /mnt/stick vfat rw,nosuid,nodev,relatime 0 0\n"
    "/dev/sdc1 /media/me/Backup ext4 rw,nosuid,nodev,relatime 0 0\n"
    "overlay /var/lib/docker/overlay2/abc/merged overlay rw,relatime,lowerdir=/x 0 0\n"
    "none /mnt/scratch ramfs rw,relatime 0 0\n"
    "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw,nosuid,nodev,relatime 0 0\n"
    "/dev/sda3 /mnt/My\\040Files ext4 rw,relatime 0 0\n";

bool OnlySdbIsRemovable(const std::string& source) { return source == "/dev/sdb1"; }

TEST(Drives, MountTableIsClassifiedIntoFixedNetworkAndRamDrives) {
  const std::vector<ScanDrive> drives = ClassifyMountTable(kDesktopMounts, OnlySdbIsRemovable);
  const std::vector<ScanDrive> expected = {
      {"/run", DriveKind::RamDisk},
      {"/", DriveKind::FixedDisk},
      {"/dev/shm", DriveKind::RamDisk},
      {"/home", DriveKind::FixedDisk},
      {"/mnt/nfs", DriveKind::Network},
      {"/mnt/share", DriveKind::Network},
      {"/home/me/remote", DriveKind::Network},
      {"/var/lib/docker/overlay2/abc/merged", DriveKind::FixedDisk},
      {"/mnt/scratch", DriveKind::RamDisk},
      {"/mnt/My Files", DriveKind::FixedDisk},
  };
  EXPECT_EQ(drives, expected);
}

TEST(Drives, RemovableMediaAreLeftOutWhateverTheirFileSystem) {
  const std::string table =
      "/dev/sdb1 /mnt/a ext4 rw 0 0\n"
      "/dev/sdb2 /mnt/b fuseblk rw 0 0\n"
      "/dev/sdc /mnt/c exfat rw 0 0\n";
  const std::vector<ScanDrive> none =
      ClassifyMountTable(table, [](const std::string&) { return true; });
  EXPECT_TRUE(none.empty());
  const std::vector<ScanDrive> all =
      ClassifyMountTable(table, [](const std::string&) { return false; });
  EXPECT_EQ(all.size(), 3u);
}

TEST(Drives, ALaterMountOnTheSamePointHidesTheEarlierOne) {
  const std::string table =
      "/dev/sda1 /data ext4 rw 0 0\n"
      "tmpfs /data tmpfs rw 0 0\n"
      "/dev/sda2 /other ext4 rw 0 0\n"
      "proc /other proc rw 0 0\n"
      "\n"
      "short line\n";
  const std::vector<ScanDrive> drives =
      ClassifyMountTable(table, [](const std::string&) { return false; });
  EXPECT_EQ(drives, (std::vector<ScanDrive>{{"/data", DriveKind::RamDisk}}));
}

// A device tree laid out as the kernel lays it out: /sys/class/block/<name> links
// into /sys/devices, where a partition lies inside its disk's folder.
class FakeDeviceTree {
 public:
  void AddDisk(const std::string& disk, bool removable, std::vector<std::string> partitions) {
    const fs::path diskFolder = sys_.path() / "devices" / "pci0" / "block" / disk;
    fs::create_directories(diskFolder);
    sys_.Write("devices/pci0/block/" + disk + "/removable", removable ? "1\n" : "0\n");
    Link(disk, diskFolder);
    for (const std::string& partition : partitions) {
      fs::create_directories(diskFolder / partition);
      sys_.Write("devices/pci0/block/" + disk + "/" + partition + "/partition", "1\n");
      Link(partition, diskFolder / partition);
    }
  }
  std::string Root() const { return sys_.path().string(); }

 private:
  void Link(const std::string& name, const fs::path& target) {
    fs::create_directories(sys_.path() / "class" / "block");
    fs::create_directory_symlink(target, sys_.path() / "class" / "block" / name);
  }
  TempFolder sys_;
};

TEST(Drives, RemovableIsTheDiskAttributeAlsoForItsPartitions) {
  FakeDeviceTree tree;
  tree.AddDisk("sdx", false, {"sdx1", "sdx2"});
  tree.AddDisk("sdy", true, {"sdy1"});
  tree.AddDisk("srx", true, {});
  EXPECT_EQ(IsRemovableBlockDevice("/dev/sdx1", tree.Root()), false);
  EXPECT_EQ(IsRemovableBlockDevice("/dev/sdx", tree.Root()), false);
  EXPECT_EQ(IsRemovableBlockDevice("/dev/sdy1", tree.Root()), true);
  EXPECT_EQ(IsRemovableBlockDevice("/dev/srx", tree.Root()), true);
  // Not block devices the kernel lists: no answer, so nothing is left out for it.
  EXPECT_EQ(IsRemovableBlockDevice("/dev/sdz9", tree.Root()), std::nullopt);
  EXPECT_EQ(IsRemovableBlockDevice("server:/export", tree.Root()), std::nullopt);
  EXPECT_EQ(IsRemovableBlockDevice("tmpfs", tree.Root()), std::nullopt);
}

TEST(Drives, AFolderAndItsSubfolderLieOnOneMountAndProcOnAnother) {
  TempFolder root;
  fs::create_directories(root.path() / "sub");
  const std::optional<OpenDirectory> top = OpenDirectory::Open(root.path().string());
  const std::optional<OpenDirectory> sub = OpenDirectory::Open((root.path() / "sub").string());
  ASSERT_TRUE(top && sub);
  EXPECT_TRUE(top->OnSameMount(*sub));
  const std::optional<OpenDirectory> proc = OpenDirectory::Open("/proc/self");
  if (!proc) GTEST_SKIP() << "no /proc here";
  EXPECT_FALSE(top->OnSameMount(*proc));
}

}  // namespace
}  // namespace sorvane
