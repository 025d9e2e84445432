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
#ifdef _WIN32
    if (m_why.empty() && m_kind != DiskKind::kReadOnly) Empty();
#else
    if (m_mounted) umount2(m_path.c_str(), MNT_DETACH);
    std::error_code ignored;
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
