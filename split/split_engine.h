// Cuts one source file into numbered piece files inside a target folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/engine_notifications.h"
#include "platform/outcome.h"

class CFile;

// The Split page's fields; the page inherits them, so the names are the page's.
struct SplitFields {
    std::string m_strSourcePath;
    std::string m_strTargetFolder;  // ends with the path separator
    std::string m_strSourceTitle;
    std::string m_strSourceExt;
    int32_t m_nMode = 1;  // 1: by chunk size, 0: by number of parts
    float m_fChunkMB = 2.0f;
    int32_t m_nPartCount = 2;
    int32_t m_nSourceMB = 0;
    // Lives from one split to the next; empty until a split has computed one.
    std::optional<float> m_fChunkBytes;
};

// What a split writes beside its pieces: "<source name>.sha256", the SHA-256 of every
// piece and of the whole source, and, with it, the spare "<source name>.parity".
struct SplitChecks {
    bool checksums = true;
    bool spare = false;  // only with the checksum file, which lists it
};

// The progress unit: one block of a piece, a short tail counting as one.
constexpr uint32_t kSplitBlockSize = 10240;

// "movie" + 3 + "avi" -> "<folder>movie3.avi.spt".
std::string PieceName(const SplitFields& fields, uint64_t index);

// The split. Reads the fields after notify.UpdateData(), which may change them.
// Before the first piece it removes the series' old checksum file and spare, which
// would describe other pieces; after the last it writes what checks asks for, from the
// bytes it wrote, and only then closes the source. File errors (a source that is not
// open, a file that cannot be created or written, a source that cannot be read) are
// raised as CFileException; the pieces written before stay in place.
Outcome SplitFile(CFile& source, SplitFields& fields, EngineNotifications& notify,
                  const SplitChecks& checks = SplitChecks());
