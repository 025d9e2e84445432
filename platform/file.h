// The file class of the framework: opening reports by its result, everything else
// raises CFileException. Sizes and offsets are 64-bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CFileException;

class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,  // create, or truncate an existing file
        // Creates a new entry; fails with "file exists" (80) when the name holds any
        // entry, a link included.
        modeCreateNew = 0x2000,
        // Puts a new, empty file in place of the entry the name holds (a file or a link,
        // never what a link points to); fails as the truncating create fails where that
        // file is held open, read-only or no file.
        modeReplace = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile();  // closes without raising
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False when the file cannot be opened; error (if given) then says why. Only files
    // that end are opened: folders, devices, pipes and sockets are refused as access
    // denied, so that nothing read from a stranger's folder can be endless or wait.
    bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr);
    bool IsOpen() const;
    const std::string& GetFilePath() const { return m_strFilePath; }

    // On a file that is not open these raise the invalid-handle error (6), unnamed.
    uint64_t GetLength() const;
    uint64_t Seek(int64_t offset, SeekPosition from);
    // Reads up to count bytes; fewer only at the end of the file.
    size_t Read(void* buffer, size_t count);
    // Writes all count bytes; a short write raises the disk-full error for this file.
    void Write(const void* buffer, size_t count);
    // Told the bytes of each run a copy has moved, as it moves them.
    using CopyProgress = std::function<void(size_t moved)>;

    // Copies up to count bytes from source's position to this file's position, inside
    // the system where it can, in as few calls as the system takes; fewer only when
    // source ends. Failures are raised as Read and Write raise them: named with
    // source's path or with this file's.
    size_t CopyFrom(CFile& source, size_t count, const CopyProgress& progress = nullptr);
    void Close();
    // Closes without raising.
    void Abort();

    // Renames an entry; never replaces an existing one. False when newName is the
    // entry's own name already, so that nothing changed. A change of case alone takes
    // place on file systems that ignore case too. Failures are raised unnamed.
    static bool Rename(const std::string& oldName, const std::string& newName);

private:
    // The plain copy, for systems or files that cannot copy inside the kernel.
    size_t CopyThroughBuffer(CFile& source, size_t count, const CopyProgress& progress);

    intptr_t m_hFile = -1;
    std::string m_strFilePath;
    // Which open this is, and the open of a source the kernel refused to copy from
    // into this one (POSIX): a refused pair is not asked again.
    uint64_t m_nOpenSerial = 0;
    uint64_t m_nNoKernelCopyFrom = 0;
};
