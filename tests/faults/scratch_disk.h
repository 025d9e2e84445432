// Small file systems that misbehave on purpose: one that fills up, one that runs out
// of room for new entries, one that is read-only, one that ignores case. A native test mounts its
// own tmpfs (only root may); a Windows test under Wine finds them mounted by fault_disks.sh, which
// ctest runs first, at the Unix folder named by QUILLET_FAULT_DISKS.
#pragma once

#include <string>

enum class DiskKind {
    kSmall,     // 256 KiB of data
    kFewFiles,  // room for the root folder and three more entries
    kReadOnly,  // holds kept/a.txt ("a") and nothing else
    kFat,       // 2 MiB of FAT, a file system that ignores the case of names
};

class ScratchDisk {
  public:
    explicit ScratchDisk(DiskKind kind);
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    // Empty when the disk is ready; otherwise why it cannot be had here.
    const std::string& why() const { return m_why; }
    const std::string& path() const { return m_path; }
    std::string Join(const std::string& name) const;

  private:
#ifdef _WIN32
    void Find();
#else
    void Mount();
    void MountFat();
    std::string m_unmount;  // the command that unmounts a FAT image
#endif
    void Empty();

    DiskKind m_kind;
    std::string m_path;
    std::string m_why;
    bool m_mounted = false;
};
