// What the fault tests look at after a run: the file error it raised, and the
// names a folder holds.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "common/folder_names.h"
#include "platform/file_exception.h"
#include "platform/folder.h"

// Runs op and returns the text of the file error it raised; fails the test when it
// raised none.
inline std::string FileErrorText(const std::function<void()>& op) {
    try {
        op();
    } catch (const CFileException& e) {
        return e.ErrorMessage();
    }
    ADD_FAILURE() << "no file error raised";
    return std::string();
}


// A file's bytes by its full path; "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// The file error texts, filled the way the framework shows them.
inline std::string DiskFullText(const std::string& name) {
    return "在存取 " + name + " 时磁盘已满。";
}
inline std::string AccessDeniedText(const std::string& name) {
    return "对 " + name + " 的存取被拒绝。";
}
inline std::string BadPathText(const std::string& name) {
    return name + " 中包含无效的路径。";
}
inline std::string SharingViolationText(const std::string& name) {
    return "在存取 " + name + " 时发生共享违例。";
}
