#include "platform/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "common/fault_setup.h"
#include "common/folder_names.h"
#include "common/name_table.h"
#include "common/temp_dir.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/state_files.h"
#include "platform/whole_file.h"

namespace {

const std::string kSep(1, path::kSeparator);

const unsigned kCreate = CFile::modeCreate | CFile::modeWrite | CFile::typeBinary;
const unsigned kRead = CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary;
const unsigned kExclusive = CFile::modeRead | CFile::shareExclusive | CFile::typeBinary;

// Runs op and returns the file error it raised; fails the test when it raised none.
CFileException Raised(const std::function<void()>& op) {
    try {
        op();
    } catch (const CFileException& e) {
        return e;
    }
    ADD_FAILURE() << "no file error raised";
    return CFileException(CFileException::none, 0);
}

void ExpectError(const CFileException& e, long code, const std::string& name) {
    EXPECT_EQ(e.m_lOsError, code);
    EXPECT_EQ(e.m_cause, CFileException::OsErrorToException(code));
    EXPECT_EQ(e.m_strFileName, name);
}

TEST(File, WritesReadsSeeksAndStopsAtTheEnd) {
    TempDir dir;
    const std::string path = dir.Join("data.bin");
    {
        CFile out;
        ASSERT_TRUE(out.Open(path, kCreate));
        EXPECT_EQ(out.GetFilePath(), path);
        out.Write("0123456789", 10);
        out.Write("", 0);
        EXPECT_EQ(out.GetLength(), 10u);
        out.Close();
        EXPECT_FALSE(out.IsOpen());
    }
    CFile in;
    ASSERT_TRUE(in.Open(path, kRead));
    EXPECT_EQ(in.GetLength(), 10u);
    char buf[16] = {};
    EXPECT_EQ(in.Read(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), "0123");
    EXPECT_EQ(in.Seek(2, CFile::current), 6u);
    EXPECT_EQ(in.Read(buf, 16), 4u);  // only what is left
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_EQ(in.Read(buf, 16), 0u);
    EXPECT_EQ(in.Seek(-3, CFile::end), 7u);
    EXPECT_EQ(in.Seek(1, CFile::begin), 1u);
    EXPECT_EQ(in.Seek(100, CFile::begin), 100u);  // past the end is allowed
    EXPECT_EQ(in.Read(buf, 1), 0u);
}

TEST(File, CreateTruncatesAndKeepsSystemCodePageNames) {
    TempDir dir;
    dir.WriteFile(u8"数据.bin", "old content");
    CFile f;
    ASSERT_TRUE(f.Open(dir.Join(u8"数据.bin"), kCreate));
    f.Write("new", 3);
    f.Close();
    EXPECT_EQ(dir.ReadFile(u8"数据.bin"), "new");
}

// Each name of the table, in a plain folder and below a path over 260 characters, is
// created, listed, reopened, replaced whole and renamed under exactly its own name.
TEST(File, EveryNameIsCreatedListedReopenedReplacedAndRenamedAsItIs) {
    TempDir dir;
    const std::vector<std::string> deep = LongPathFolders(dir.path(), path::kSeparator);
    for (const std::string& folderPath : deep) ASSERT_TRUE(folder::Create(folderPath));
    ASSERT_TRUE(folder::Create(dir.Join("plain")));
    for (const std::string& folderPath : {dir.Join("plain"), deep.back()}) {
        SCOPED_TRACE(folderPath.size());
        std::vector<std::string> renamed;
        for (const std::string& name : NameTable()) {
            CFile f;
            ASSERT_TRUE(f.Open(folderPath + kSep + name, kCreate)) << name;
            f.Write(name.data(), name.size());
            f.Close();
            EXPECT_TRUE(CFile::Rename(folderPath + kSep + name, folderPath + kSep + "1" + name));
            renamed.push_back("1" + name);
            int64_t time = 0;
            EXPECT_TRUE(state_files::ModifiedTime(folderPath + kSep + "1" + name, time)) << name;
            WholeFile replaced(folderPath + kSep + "1" + name);
            replaced.File().Write(("whole " + name).data(), 6 + name.size());
            replaced.Commit();
            WholeFile dropped(folderPath + kSep + "2" + name);
            dropped.File().Write("dropped", 7);
        }
        std::sort(renamed.begin(), renamed.end());
        EXPECT_EQ(NamesIn(folderPath), renamed);  // nothing left of the temporaries
        for (const std::string& name : NameTable()) {
            CFile f;
            ASSERT_TRUE(f.Open(folderPath + kSep + "1" + name, kRead)) << name;
            std::string content(64, '\0');
            content.resize(f.Read(&content[0], content.size()));
            EXPECT_EQ(content, "whole " + name);
        }
    }
    // What the standard library finds under each name, through calls of its own.
    for (const std::string& name : NameTable()) {
        EXPECT_EQ(dir.ReadFile("plain" + kSep + "1" + name), "whole " + name);
    }
}

#ifdef _WIN32
// Windows refuses to replace such a file unless told its attributes (Wine does not).
TEST(File, CreateReplacesAHiddenOrSystemFile) {
    TempDir dir;
    for (DWORD attributes : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                             FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}) {
        dir.WriteFile(u8"隐藏.bin", "old content");
        const std::wstring wide = wide::FromUtf8(dir.Join(u8"隐藏.bin"));
        ASSERT_TRUE(SetFileAttributesW(wide.c_str(), attributes));
        CFile f;
        ASSERT_TRUE(f.Open(dir.Join(u8"隐藏.bin"), kCreate)) << attributes;
        f.Write("new", 3);
        f.Close();
        EXPECT_EQ(dir.ReadFile(u8"隐藏.bin"), "new");
        ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
}
#endif

TEST(File, FailedOpenFillsTheErrorWithCodeAndPath) {
    TempDir dir;
    CFileException error(CFileException::none, 0);
    CFile f;
    const std::string missing = dir.Join("missing.bin");
    EXPECT_FALSE(f.Open(missing, kRead, &error));
    EXPECT_FALSE(f.IsOpen());
    ExpectError(error, 2, missing);

    const std::string noFolder = dir.Join("no-folder") + kSep + "x.bin";
    EXPECT_FALSE(f.Open(noFolder, kCreate, &error));
    ExpectError(error, 3, noFolder);

    EXPECT_FALSE(f.Open(dir.path(), kRead, &error));  // a folder is not a file
    ExpectError(error, 5, dir.path());

    EXPECT_FALSE(f.Open(missing, kRead));  // no error object wanted
}

TEST(File, ClosedFileRaisesInvalidHandleUnnamed) {
    CFile f;
    char buf[4];
    ExpectError(Raised([&] { f.GetLength(); }), 6, "");
    ExpectError(Raised([&] { f.Seek(0, CFile::begin); }), 6, "");
    ExpectError(Raised([&] { f.Read(buf, 4); }), 6, "");
    ExpectError(Raised([&] { f.Write(buf, 4); }), 6, "");
    EXPECT_EQ(Raised([&] { f.Read(buf, 4); }).m_cause, CFileException::fileNotFound);
    EXPECT_NO_THROW(f.Close());
    EXPECT_NO_THROW(f.Abort());
}

TEST(File, TransferAgainstTheOpenModeRaisesAccessDeniedWithThePath) {
    TempDir dir;
    dir.WriteFile("a.bin", "abc");
    const std::string path = dir.Join("a.bin");
    char buf[4];
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, kRead));
        ExpectError(Raised([&] { f.Write("x", 1); }), 5, path);
    }
    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeWrite));
    ExpectError(Raised([&] { f.Read(buf, 1); }), 5, path);
    EXPECT_EQ(dir.ReadFile("a.bin"), "abc");
}

// Bytes that differ from one offset to the next, so a shifted copy never matches.
std::string Numbered(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

TEST(FileCopy, CopiesFromPositionToPositionAndStopsAtTheEnd) {
    TempDir dir;
    const std::string bytes = Numbered(3 * 1024 * 1024 + 17);  // more than one buffer
    dir.WriteFile("in.bin", bytes);
    CFile in, out;
    ASSERT_TRUE(in.Open(dir.Join("in.bin"), kRead));
    ASSERT_TRUE(out.Open(dir.Join("out.bin"), kCreate));
    out.Write("head", 4);
    in.Seek(5, CFile::begin);
    EXPECT_EQ(out.CopyFrom(in, 0), 0u);
    EXPECT_EQ(out.CopyFrom(in, 10), 10u);
    EXPECT_EQ(in.Seek(0, CFile::current), 15u);
    EXPECT_EQ(out.Seek(0, CFile::current), 14u);
    // Asking past the end copies what is left, however much was asked, and tells of
    // every byte as it goes.
    size_t told = 0;
    const CFile::CopyProgress tell = [&](size_t moved) { told += moved; };
    EXPECT_EQ(out.CopyFrom(in, bytes.size(), tell), bytes.size() - 15);
    EXPECT_EQ(told, bytes.size() - 15);
    EXPECT_EQ(out.CopyFrom(in, 100, tell), 0u);
    EXPECT_EQ(told, bytes.size() - 15);
    out.Close();
    EXPECT_EQ(dir.ReadFile("out.bin"), "head" + bytes.substr(5));
}

TEST(FileCopy, FailuresNameTheSideThatFailed) {
    TempDir dir;
    dir.WriteFile("a.bin", "abc");
    dir.WriteFile("b.bin", "xyz");
    const std::string a = dir.Join("a.bin"), b = dir.Join("b.bin");
    CFile readOnly, writeOnly, closed;
    ASSERT_TRUE(readOnly.Open(a, kRead));
    ASSERT_TRUE(writeOnly.Open(b, CFile::modeWrite));
    ExpectError(Raised([&] { readOnly.CopyFrom(readOnly, 1); }), 5, a);
    ExpectError(Raised([&] { writeOnly.CopyFrom(writeOnly, 1); }), 5, b);
    ExpectError(Raised([&] { writeOnly.CopyFrom(closed, 1); }), 6, "");
    ExpectError(Raised([&] { closed.CopyFrom(readOnly, 1); }), 6, "");
    readOnly.Close();
    writeOnly.Close();
    EXPECT_EQ(dir.ReadFile("a.bin"), "abc");
    EXPECT_EQ(dir.ReadFile("b.bin"), "xyz");
}

TEST(File, SeekBeforeTheStartRaisesBadSeekUnnamed) {
    TempDir dir;
    dir.WriteFile("a.bin", "abc");
    CFile f;
    ASSERT_TRUE(f.Open(dir.Join("a.bin"), kRead));
    CFileException e = Raised([&] { f.Seek(-1, CFile::begin); });
    EXPECT_EQ(e.m_cause, CFileException::badSeek);
    EXPECT_EQ(e.m_strFileName, "");
}

TEST(File, ExclusiveOpenKeepsOthersOutUntilClosed) {
    TempDir dir;
    dir.WriteFile("a.bin", "keep me");
    const std::string path = dir.Join("a.bin");
    CFileException error(CFileException::none, 0);
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(path, kExclusive));
        CFile other;
        EXPECT_FALSE(other.Open(path, kRead, &error));
        ExpectError(error, 32, path);
        // A refused create must not have emptied the file, nor a refused replace removed it.
        EXPECT_FALSE(other.Open(path, kCreate, &error));
        EXPECT_EQ(error.m_lOsError, 32);
        EXPECT_FALSE(other.Open(path, kCreate | CFile::modeReplace, &error));
        EXPECT_EQ(error.m_lOsError, 32);
    }  // the destructor lets go
    EXPECT_EQ(dir.ReadFile("a.bin"), "keep me");

    CFile reader;
    ASSERT_TRUE(reader.Open(path, kRead));
    CFile second;
    EXPECT_TRUE(second.Open(path, kRead));  // readers share
    CFile exclusive;
    EXPECT_FALSE(exclusive.Open(path, kExclusive, &error));
    EXPECT_EQ(error.m_lOsError, 32);
}

#ifndef _WIN32
// Only files that end are opened, for reading or writing, whatever leads to them.
TEST(File, EntriesThatAreNoFilesAreRefusedInsteadOfBlockingOrEndless) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.Join("pipe.spt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.Join("zero.spt"));
    for (const std::string& path :
         {dir.Join("pipe.spt"), dir.Join("zero.spt"), std::string("/dev/null"),
          std::string("/dev/full"), std::string("/dev/tty")}) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0) continue;
        for (unsigned mode : {kRead, kCreate}) {
            CFileException error(CFileException::none, 0);
            CFile f;
            EXPECT_FALSE(f.Open(path, mode, &error)) << path;
            ExpectError(error, 5, path);
        }
    }
}

// Files the kernel cannot copy between (two file systems) are copied through a buffer.
TEST(FileCopy, FilesOfTwoFileSystemsAreCopiedThroughABuffer) {
    TempDir dir;
    const std::string shm = "/dev/shm/quillet-copy-" + std::to_string(getpid());
    CFile zero, out;
    {
        CFile make;
        REQUIRE_FAULT_SETUP(make.Open(shm, kCreate) ? "" : "no /dev/shm");
        make.Write(std::string(2500000, '\0').data(), 2500000);
    }
    ASSERT_TRUE(zero.Open(shm, kRead));
    unlink(shm.c_str());
    ASSERT_TRUE(out.Open(dir.Join("zeros.bin"), kCreate));
    // A long copy through the buffer tells of each run as it arrives, so that a window
    // can show it before the copy ends.
    std::vector<size_t> runs;
    EXPECT_EQ(out.CopyFrom(zero, 2500000, [&](size_t moved) { runs.push_back(moved); }), 2500000u);
    EXPECT_GT(runs.size(), 1u);
    EXPECT_EQ(std::accumulate(runs.begin(), runs.end(), size_t{0}), 2500000u);
    out.Close();
    EXPECT_EQ(dir.ReadFile("zeros.bin"), std::string(2500000, '\0'));
}
#endif

// What a name holds before a file is created there: a new entry is made only where
// there is none, and a replacing one takes the entry's place, never writing through a
// link to the file outside.
TEST(File, ExclusiveAndReplacingCreatesNeverWriteThroughALink) {
    const unsigned kNew = CFile::modeCreateNew | CFile::modeWrite | CFile::typeBinary;
    const unsigned kReplace = CFile::modeReplace | CFile::modeWrite | CFile::typeBinary;
    struct Case {
        const char* holds;
        long newError;      // of the exclusive create; 0: created
        long replaceError;  // of the replacing create
    } cases[] = {
        {"nothing", 0, 0},          {"a file", 80, 0},   {"a link to a file", 80, 0},
        {"a dangling link", 80, 0}, {"a folder", 80, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holds);
        TempDir dir;
        dir.WriteFile("victim", "keep me");
        const std::string name = dir.Join("piece.spt"), holds = c.holds;
        std::error_code linked;
        if (holds == "a file") dir.WriteFile("piece.spt", "older piece");
        if (holds == "a link to a file")
            std::filesystem::create_symlink(dir.Join("victim"), name, linked);
        if (holds == "a dangling link")
            std::filesystem::create_symlink(dir.Join("planted"), name, linked);
        if (holds == "a folder") {
            ASSERT_TRUE(folder::Create(name));
        }
        if (linked) continue;  // a system that makes no links has none to fear
        for (unsigned mode : {kNew, kReplace}) {
            const long expected = mode == kNew ? c.newError : c.replaceError;
            CFileException error(CFileException::none, 0);
            CFile f;
            ASSERT_EQ(f.Open(name, mode, &error), expected == 0) << mode;
            if (expected != 0) {
                ExpectError(error, expected, name);
                continue;
            }
            f.Write("new", 3);
            f.Close();
            EXPECT_EQ(dir.ReadFile("piece.spt"), "new");
            EXPECT_FALSE(std::filesystem::is_symlink(name));
        }
        EXPECT_EQ(dir.ReadFile("victim"), "keep me");
        EXPECT_FALSE(std::filesystem::exists(dir.Join("planted")));
    }
}

TEST(Rename, MovesAnEntryWithinItsFolder) {
    TempDir dir;
    dir.WriteFile("a.txt", "A");
    EXPECT_TRUE(CFile::Rename(dir.Join("a.txt"), dir.Join("name001.txt")));
    EXPECT_EQ(dir.ReadFile("name001.txt"), "A");
    EXPECT_THROW(dir.ReadFile("a.txt"), std::runtime_error);

    ASSERT_TRUE(folder::Create(dir.Join("sub")));
    CFile::Rename(dir.Join("sub"), dir.Join("name002"));
    std::vector<folder::Entry> entries;
    EXPECT_TRUE(folder::List(dir.Join("name002"), entries));
}

TEST(Rename, NeverReplacesAndRaisesUnnamed) {
    TempDir dir;
    dir.WriteFile("a.txt", "A");
    dir.WriteFile("b.txt", "B");
    CFileException e = Raised([&] { CFile::Rename(dir.Join("a.txt"), dir.Join("b.txt")); });
    ExpectError(e, 183, "");
    EXPECT_EQ(e.ErrorMessage(), "对 一未命名文件 的存取被拒绝。");
    EXPECT_EQ(dir.ReadFile("a.txt"), "A");
    EXPECT_EQ(dir.ReadFile("b.txt"), "B");

    ASSERT_TRUE(folder::Create(dir.Join("d1")));
    ASSERT_TRUE(folder::Create(dir.Join("d2")));
    EXPECT_EQ(Raised([&] { CFile::Rename(dir.Join("d1"), dir.Join("d2")); }).m_lOsError, 183);
    EXPECT_EQ(Raised([&] { CFile::Rename(dir.Join("a.txt"), dir.Join("d2")); }).m_lOsError, 183);
}

TEST(Rename, OntoItsOwnNameChangesNothing) {
    TempDir dir;
    dir.WriteFile("a.txt", "A");
    ASSERT_TRUE(folder::Create(dir.Join("d")));
    EXPECT_FALSE(CFile::Rename(dir.Join("a.txt"), dir.Join("a.txt")));
    EXPECT_FALSE(CFile::Rename(dir.Join("d"), dir.Join("d")));
    EXPECT_EQ(dir.ReadFile("a.txt"), "A");
    // Another case is another name, whatever the file system makes of it.
    EXPECT_TRUE(CFile::Rename(dir.Join("a.txt"), dir.Join("A.txt")));
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"A.txt", "d"}));
}

#ifndef _WIN32
TEST(Rename, SecondHardLinkIsAnotherEntry) {
    TempDir dir;
    dir.WriteFile("a.txt", "A");
    ASSERT_EQ(link(dir.Join("a.txt").c_str(), dir.Join("b.txt").c_str()), 0);
    EXPECT_EQ(Raised([&] { CFile::Rename(dir.Join("a.txt"), dir.Join("b.txt")); }).m_lOsError, 183);
    EXPECT_EQ(dir.ReadFile("a.txt"), "A");
    EXPECT_EQ(dir.ReadFile("b.txt"), "A");
}
#endif

TEST(Rename, MissingSourceOrTargetFolderIsReportedUnnamed) {
    TempDir dir;
    dir.WriteFile("a.txt", "A");
    ExpectError(Raised([&] { CFile::Rename(dir.Join("none.txt"), dir.Join("x.txt")); }), 2, "");
    const std::string intoMissing = dir.Join("no-folder") + kSep + "a.txt";
    ExpectError(Raised([&] { CFile::Rename(dir.Join("a.txt"), intoMissing); }), 3, "");
    EXPECT_EQ(dir.ReadFile("a.txt"), "A");
}

}  // namespace
