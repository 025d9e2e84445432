// The inputs of one batch rename. The rename page derives from this struct, so the
// members are the page's own fields, in its declaration order, with its defaults.
#pragma once

#include <cstdint>
#include <string>

struct RenameSettings {
    std::string m_strNewExt = "txt";  // written without the dot
    std::string m_strNewName = "name";
    std::string m_strFolder;
    int32_t m_nIncrement = 1;  // any value, zero and negatives included
    std::string m_strFind;
    std::string m_strReplace;
    // 32-bit flags, as the page's radios keep them; the engine tests each one.
    int32_t m_bFilesOnly = 1;
    int32_t m_bFoldersOnly = 0;
    int32_t m_bChangeName = 1;
    int32_t m_bReplaceText = 0;
    int32_t m_bChangeExt = 0;
    int32_t m_bNumberFirst = 0;
};
