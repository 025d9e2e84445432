#include "faults/scratch_disk.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include "common/temp_dir.h"
#include "platform/path.h"

namespace fs = std::filesystem;

namespace {

// The names fault_disks.sh mounts them under.
const char* FolderName(DiskKind kind) {
    switch (kind) {
        case DiskKind::kSmall:
            return "small";
        case DiskKind::kFewFiles:
            return "few-files";
        case DiskKind::kFat:
            return "fat";
        default:
            return "read-only";
    }
}

}  // namespace

ScratchDisk::ScratchDisk(DiskKind kind) : m_kind(kind) {
#ifdef _WIN32
    Find();
    // The disks outlive one test under Wine, so each test starts on an empty one.
    if (m_why.empty() && kind != DiskKind::kReadOnly) Empty();
#else
    Mount();
#endif
}

ScratchDisk::~ScratchDisk() {
    std::error_code ignored;
#ifdef _WIN32
    if (m_why.empty() && m_kind != DiskKind::kReadOnly) Empty();
#else
    if (m_mounted && !m_unmount.empty()) std::system(m_unmount.c_str());
    if (m_mounted && m_unmount.empty()) umount2(m_path.c_str(), MNT_DETACH);
    if (m_kind == DiskKind::kFat) fs::remove(m_path + ".img", ignored);
    if (!m_path.empty()) fs::remove(m_path, ignored);
#endif
}

std::string ScratchDisk::Join(const std::string& name) const {
    return m_path + path::kSeparator + name;
}

void ScratchDisk::Empty() {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(m_path, ignored)) {
        fs::remove_all(entry.path(), ignored);
    }
}

#ifndef _WIN32
void ScratchDisk::Mount() {
    static TempDir base;  // holds the mount points; outlives every disk
    static unsigned serial = 0;
    m_path = base.Join(std::string(FolderName(m_kind)) + std::to_string(serial++));
    fs::create_directory(m_path);
    if (m_kind == DiskKind::kFat) return MountFat();
    if (geteuid() != 0) {
        m_why = "mounting a tmpfs needs root; run the tests as root to make this fault";
        return;
    }
    const char* options = m_kind == DiskKind::kFewFiles ? "size=256k,nr_inodes=4" : "size=256k";
    if (mount("tmpfs", m_path.c_str(), "tmpfs", 0, options) != 0) {
        m_why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    m_mounted = true;
    if (m_kind != DiskKind::kReadOnly) return;
    fs::create_directory(Join("kept"));
    std::ofstream(Join("kept/a.txt"), std::ios::binary) << "a";
    if (mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        m_why = std::string("cannot make the tmpfs read-only: ") + std::strerror(errno);
    }
}

bool KernelHasVfat() {
    std::ifstream known("/proc/filesystems");
    std::string line;
    while (std::getline(known, line)) {
        if (line.size() >= 4 && line.compare(line.size() - 4, 4, "vfat") == 0) return true;
    }
    return false;
}

// The kernel's own vfat over a loop device where it has one, otherwise FUSE's fusefat
// (scripts/setup.sh installs it and mkfs.vfat).
void ScratchDisk::MountFat() {
    const std::string image = m_path + ".img";
    if (std::system(("mkfs.vfat -C '" + image + "' 2048 >/dev/null 2>&1").c_str()) != 0) {
        m_why = "mkfs.vfat (dosfstools) cannot make a FAT image";
        return;
    }
    std::string mountCommand;
    if (KernelHasVfat() && geteuid() == 0) {
        mountCommand = "mount -o loop '" + image + "' '" + m_path + "'";
        m_unmount = "umount -l '" + m_path + "'";
    } else {
        // No kernel caching of names: a name looked up in another case would outlive
        // the entry it found there.
        mountCommand = "fusefat -o rw+,entry_timeout=0,attr_timeout=0,negative_timeout=0 '" +
                       image + "' '" + m_path + "'";
        m_unmount = "fusermount -u '" + m_path + "'";
    }
    if (std::system((mountCommand + " >/dev/null 2>&1").c_str()) != 0) {
        m_why = "cannot mount a FAT image: " + mountCommand + " failed";
        m_unmount.clear();
        return;
    }
    m_mounted = true;
}
#else
// Wine shows the host's root as drive Z:.
void ScratchDisk::Find() {
    const char* base = std::getenv("QUILLET_FAULT_DISKS");
    if (!base || !*base) {
        m_why = "run through ctest, which mounts the small disks with fault_disks.sh first";
        return;
    }
    std::string windowsBase = "Z:";
    for (const char* c = base; *c; ++c) windowsBase += *c == '/' ? '\\' : *c;
    if (!fs::exists(windowsBase + "\\ready")) {
        m_why = "fault_disks.sh could not mount the small disks (it needs root)";
        return;
    }
    m_path = windowsBase + "\\" + FolderName(m_kind);
}
#endif
