#include "platform/files/MountTable.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace {

// File systems that hold no user files of their own: kernel interfaces, memory-backed scratch
// space, automounter placeholders, the overlays of containers (a root overlay still counts as
// "/", which is always listed) and the read-only package images that snap mounts by the dozen.
const std::set<std::string, std::less<>> kPseudoTypes = {
    "autofs",  "binfmt_misc", "bpf",        "cgroup",     "cgroup2",   "configfs",
    "debugfs", "devpts",      "devtmpfs",   "efivarfs",   "fusectl",   "hugetlbfs",
    "mqueue",  "nfsd",        "nsfs",       "overlay",    "proc",      "pstore",
    "ramfs",   "rootfs",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",
    "tmpfs",   "tracefs",     "xenfs",      "squashfs",   "aufs",      "shm",
};

// File systems on another machine: listing them can stall on the network, and they are not
// drives of this computer.
const std::set<std::string, std::less<>> kNetworkTypes = {
    "9p",    "afs", "ceph", "cifs", "coda",  "davfs", "glusterfs",
    "ncpfs", "nfs", "nfs4", "smb3", "smbfs", "sshfs", "virtiofs",
};

bool IsLocal(const std::string& type) {
  // FUSE file systems of a block device (NTFS, exFAT) are disks; the other FUSE types are
  // network or virtual views (sshfs, gvfs, the portal, lxcfs).
  if (type == "fuseblk") return true;
  if (type == "fuse" || type.starts_with("fuse.")) return false;
  return !kPseudoTypes.contains(type) && !kNetworkTypes.contains(type);
}

// The mount table writes space, tab, newline and backslash in a field as "\ooo" octal escapes.
std::string Unescape(const std::string& field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
        field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

}  // namespace

std::string MountTable::WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::vector<std::string> MountTable::LocalMounts(const std::string& mountTable) {
  std::vector<std::string> mounts{"/"};
  std::ifstream table(mountTable);
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string device;
    std::string mountPoint;
    std::string type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    mountPoint = WithoutTrailingSlash(Unescape(mountPoint));
    if (!mountPoint.starts_with('/') || !IsLocal(type)) continue;
    mounts.push_back(std::move(mountPoint));
  }
  // Every mount point starts with "/", so byte order puts "/" itself first.
  std::sort(mounts.begin(), mounts.end());
  mounts.erase(std::unique(mounts.begin(), mounts.end()), mounts.end());
  return mounts;
}

std::string MountTable::MountOf(const std::string& path, const std::vector<std::string>& mounts) {
  const std::string target = WithoutTrailingSlash(path);
  std::string best;
  bool found = false;
  for (const std::string& mount : mounts) {
    // "/media/usb2" starts with "/media/usb" but is not on it: the match must end at a "/".
    const bool contains = mount == "/" ? target.starts_with('/')
                                       : target == mount || (target.starts_with(mount) &&
                                                             target[mount.size()] == '/');
    if (contains && (!found || mount.size() > best.size())) {
      best = mount;
      found = true;
    }
  }
  return best;
}
