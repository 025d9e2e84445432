// The content checks of verify and merge, where the series has its checksum file.
#pragma once

#include <string>

#include "cli/terminal.h"

struct MergeFields;
struct SeriesChecksumFile;

// A checksum file that cannot be read, or is too large to be one; the exit status.
int ReportUnreadable(const std::string& checksumPath, Terminal& terminal);

// verify: every piece against the series' checksum file; true when each holds what
// its line says, or when there is no checksum file (which it then says).
bool VerifyContents(const std::string& piecePath, const std::string& sourceName,
                    Terminal& terminal);

// merge with the checksum file: the pieces and the joined data checked as they are copied.
int RunCheckedMerge(const MergeFields& fields, SeriesChecksumFile checksums, Terminal& terminal);
