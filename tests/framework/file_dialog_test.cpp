// What the file picker hands the system, and the names it offers back.
#include "app/framework/file_dialog.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

std::wstring FilterBytes(const CFileDialog& dialog) {
    const wchar_t* p = dialog.m_ofn.lpstrFilter;
    std::wstring text;
    while (*p) {
        text += p;
        text += L'|';
        p += std::wcslen(p) + 1;
    }
    return text;
}

TEST(FileDialog, AsksTheSystemWithTheFrameworkFlagsAndBuffers) {
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "SPT File(*.spt)|*.spt; *.spt|All Files(*.*)|*.*||");
    EXPECT_EQ(dialog.m_ofn.Flags, DWORD(6 | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK));
    EXPECT_NE(dialog.m_ofn.lpfnHook, nullptr);
    EXPECT_EQ(dialog.m_ofn.nMaxFile, 32768u) << "the longest path Windows takes";
    EXPECT_EQ(dialog.m_ofn.nMaxFileTitle, 64u);
    EXPECT_EQ(dialog.m_ofn.lpstrDefExt, nullptr);
    EXPECT_EQ(FilterBytes(dialog), L"SPT File(*.spt)|*.spt; *.spt|All Files(*.*)|*.*|");
}

TEST(FileDialog, FilterWithoutTheClosingBarsStillEnds) {
    CFileDialog dialog(true, nullptr, nullptr, 6, "All Files(*.*)|*.*");
    EXPECT_EQ(FilterBytes(dialog), L"All Files(*.*)|*.*|");
}

TEST(FileDialog, NamesLongerThanTheTitleBufferComeOutWhole) {
    std::string name(100, 'n');
    CFileDialog dialog(true, nullptr, ("C:\\in\\" + name + ".avi").c_str());
    EXPECT_EQ(dialog.GetFileName(), name + ".avi");
    EXPECT_EQ(dialog.GetFileTitle(), name);
    EXPECT_EQ(dialog.GetFileExt(), "avi");
}

}  // namespace
