// The Quillet.exe under test: the build's own, or the one unpacked from the release zip
// onto drive C: (tests/CMakeLists.txt, QUILLET_DIST).
#pragma once

#include <algorithm>
#include <string>

#include "driver/text.h"

namespace e2e {

inline std::wstring QuilletExe() {
#ifdef QUILLET_EXE_ON_C
    std::wstring path = L"C:\\" + FromUtf8(QUILLET_EXE_ON_C);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
#else
    return WindowsPathFromUnix(QUILLET_EXE);
#endif
}

#if defined(QUILLET_CLI_ON_C) || defined(QUILLET_CLI)
// The quillet-cli.exe beside it.
inline std::wstring QuilletCliExe() {
#ifdef QUILLET_CLI_ON_C
    std::wstring path = L"C:\\" + FromUtf8(QUILLET_CLI_ON_C);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
#else
    return WindowsPathFromUnix(QUILLET_CLI);
#endif
}
#endif

}  // namespace e2e
