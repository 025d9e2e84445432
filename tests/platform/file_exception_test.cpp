#include "platform/file_exception.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework_texts.h"

namespace {

struct CauseRow {
    CFileException::Cause cause;
    std::vector<long> codes;
};

TEST(FileExceptionCause, EverySystemCodeOfTheTableMapsToItsCause) {
    const CauseRow rows[] = {
        {CFileException::fileNotFound, {2, 6, 18, 107}},
        {CFileException::badPath,
         {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
        {CFileException::tooManyOpenFiles, {4, 36, 68, 113}},
        {CFileException::accessDenied,
         {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
        {CFileException::invalidFile, {11, 26, 60, 66, 114, 182, 191, 193}},
        {CFileException::removeCurrentDir, {16, 145}},
        {CFileException::directoryFull, {62}},
        {CFileException::badSeek, {24, 25, 27, 30, 131, 132}},
        {CFileException::hardIO, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
        {CFileException::sharingViolation, {32}},
        {CFileException::lockViolation, {33, 108, 167}},
        {CFileException::diskFull, {39, 112}},
        {CFileException::endOfFile, {38}},
        {CFileException::genericException,
         {1, 7, 8, 10, 13, 14, 31, 35, 37, 40, 87, 1117, 1921, 100000, -1}},
        {CFileException::none, {0}},
    };
    for (const CauseRow& row : rows) {
        for (long code : row.codes) {
            EXPECT_EQ(CFileException::OsErrorToException(code), row.cause) << "code " << code;
        }
    }
}

TEST(FileExceptionThrow, CarriesCodeCauseAndNameAndIgnoresCodeZero) {
    EXPECT_NO_THROW(CFileException::ThrowOsError(0, "x"));
    try {
        CFileException::ThrowOsError(183);
        FAIL() << "nothing raised";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
        EXPECT_EQ(e.m_lOsError, 183);
        EXPECT_EQ(e.m_strFileName, "");
    }
    try {
        CFileException::ThrowOsError(112, "out.bin");
        FAIL() << "nothing raised";
    } catch (const CException& e) {  // reachable through the common base
        std::string text;
        EXPECT_TRUE(e.GetErrorMessage(text));
        EXPECT_EQ(text, "在存取 out.bin 时磁盘已满。");
    }
}

TEST(FileExceptionMessage, FillsTheNameOrTheUnnamedFileText) {
    CFileException named(CFileException::fileNotFound, 2, "C:\\movie.avi");
    EXPECT_EQ(named.ErrorMessage(), "没有找到 C:\\movie.avi。");
    // The name is UTF-8; the message shows it in the program's texts' own bytes.
    EXPECT_EQ(CFileException(CFileException::fileNotFound, 2, u8"C:\\数据.bin").ErrorMessage(),
              "没有找到 C:\\数据.bin。");

    CFileException unnamed(CFileException::accessDenied, 183);
    std::string text;
    EXPECT_TRUE(unnamed.GetErrorMessage(text));
    EXPECT_EQ(text, "对 一未命名文件 的存取被拒绝。");

    EXPECT_EQ(CFileException(CFileException::none, 0).ErrorMessage(), "无错误发生。");
    EXPECT_EQ(CFileException(CFileException::endOfFile, 38, "a").ErrorMessage(),
              "试图越过其尾端对 a 进行读写。");
    EXPECT_EQ(CFileException(CFileException::directoryFull, 62, "d").ErrorMessage(),
              "该目录已满，无法创建 d。");
}

TEST(FrameworkTexts, EveryCauseHasATextWithThePlaceholder) {
    for (int cause = CFileException::genericException; cause <= CFileException::endOfFile;
         ++cause) {
        std::string text = framework_text::Get(framework_text::kFileNone + cause);
        EXPECT_NE(text.find("%1"), std::string::npos) << "cause " << cause;
    }
    EXPECT_STREQ(framework_text::Get(12345), "");
}

}  // namespace
