// Names that a code page turns into another name or into "?": an emoji (two UTF-16
// units), Korean, look-alikes of "\", "/", ":" and ".", and "â" beside the "a" that
// code page 936 makes of it. Every one must reach the file system as it is written.
#pragma once

#include <string>
#include <vector>

inline const std::vector<std::string>& NameTable() {
    static const std::vector<std::string> names = {
        u8"旅行😀.jpg", u8"사진.txt", u8"x＼y.txt", u8"x∖y.txt", u8"x／y.txt", u8"x∕y.txt",
        u8"x⁄y.txt",   u8"x：y.txt", u8"x∶y.txt",  u8"x．txt",  u8"a.txt",    u8"â.txt",
    };
    return names;
}

// A path of more than 260 characters below root, made of folder names of 100.
inline std::vector<std::string> LongPathFolders(const std::string& root, char separator) {
    std::vector<std::string> folders;
    std::string p = root;
    for (char c : {'p', 'q', 'r'}) {
        p += separator + std::string(100, c);
        folders.push_back(p);
    }
    return folders;
}
