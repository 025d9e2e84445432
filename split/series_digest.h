// The digest of a file read whole, for the checks that copy nothing.
#pragma once

#include <string>

#include "platform/sha256.h"

// Raises CFileException when the file cannot be read.
Sha256::Digest DigestFile(const std::string& path);
