// quillet-cli rename: its arguments, exit status and messages, on real folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "common/state_folder.h"
#include "folder_fixture.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "rename/rename_texts.h"

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir

#include "platform/win32/wide.h"
#else
#include <unistd.h>
#endif

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace {

// The terminal receives UTF-8; the program holds its texts as code page 936 on Windows.
std::string AsProgramText(const std::string& written) {
#ifdef _WIN32
    return wide::ToCp936(wide::FromUtf8(written));
#else
    return written;
#endif
}

class RenameCommand : public testing::Test {
  protected:
    RenameCommand() {
        dir.AddFile("a.txt", "a.txt");
        dir.AddFile("b.txt", "b.txt");
        dir.AddFolder("sub");
    }

    // Runs "rename FOLDER args..." (or undo) and keeps what it wrote to stderr.
    int Run(std::vector<std::string> args, bool withFolder = true, bool undo = false) {
        if (withFolder) args.insert(args.begin(), dir.Root());
        testing::internal::CaptureStderr();
        try {
            const int status =
                undo ? RunUndoCommand(args, terminal) : RunRenameCommand(args, terminal);
            told = AsProgramText(testing::internal::GetCapturedStderr());
            return status;
        } catch (...) {
            told = AsProgramText(testing::internal::GetCapturedStderr());  // one capture at a time
            throw;
        }
    }

    // The journal of the last run: the last by name while the numbers have six digits.
    std::string LastJournal() const {
        const std::vector<std::string> names = NamesIn(state.JournalFolder());
        return names.empty() ? std::string()
                             : state.JournalFolder() + path::kSeparator + names.back();
    }

    static std::string ReadText(const std::string& filePath) {
        CFile file;
        if (!file.Open(filePath, CFile::modeRead)) return std::string();
        std::string text(static_cast<size_t>(file.GetLength()), '\0');
        text.resize(file.Read(&text[0], text.size()));
        return text;
    }

    static void WriteText(const std::string& filePath, const std::string& text) {
        CFile file;
        ASSERT_TRUE(file.Open(filePath, CFile::modeCreate | CFile::modeWrite));
        file.Write(text.data(), text.size());
    }

    StateFolderForTest state;
    FolderFixture dir;
    Terminal terminal;
    std::string told;
};

TEST_F(RenameCommand, ArgumentsOutsideTheUsageChangeNothing) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--folders"},
        {"--sequence", "x", "--extension", "md"},
        {"--extension", "md", "--replace", "a", "b"},
        {"--increment", "3", "--extension", "md"},
        {"--number-first", "--replace", "a", "b"},
        {"--replace", "a"},
        {"--sequence"},
        {"--sequence", "x", "--sequence", "y"},
        {"--sequence", "x", "--folders", "--folders"},
        {"--sequence", "x", "--number"},
        {"--sequence", "x", "--dry-run", "--dry-run"},
        {"other", "--sequence", "x"},
        {"--sequence", "x", "--order", "size"},
        {"--sequence", "x", "--order"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(kExitUsage, Run(args)) << testing::PrintToString(args);
    }
    EXPECT_EQ(kExitUsage, Run({"--sequence", "x"}, false));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
}

TEST_F(RenameCommand, SequenceRuleWithItsOptions) {
    EXPECT_EQ(kExitDone, Run({"--number-first", "--sequence", "pic", "--increment", " 5 "}));
    EXPECT_THAT(dir.Names(), ElementsAre("005pic.txt", "010pic.txt", "sub"));
    EXPECT_EQ(std::string(rename_text::kSuccess) + "\n", told);

    EXPECT_EQ(kExitDone, Run({"--sequence", "dir", "--folders"}));
    EXPECT_THAT(dir.Names(), ElementsAre("005pic.txt", "010pic.txt", "dir001"));
}

TEST_F(RenameCommand, ExtensionAndReplacementRules) {
    EXPECT_EQ(kExitDone, Run({"--extension", "md"}));
    EXPECT_THAT(dir.Names(), ElementsAre("a.md", "b.md", "sub"));

    EXPECT_EQ(kExitDone, Run({"--replace", "a", ""}));
    EXPECT_THAT(dir.Names(), ElementsAre(".md", "b.md", "sub"));
    EXPECT_THAT(told, IsEmpty());  // the replacement rule reports nothing
}

TEST_F(RenameCommand, RefusalsExitWithTheirMessage) {
    EXPECT_EQ(kExitFailed, Run({"--sequence", "x", "--increment", "1.5"}));
    EXPECT_THAT(told, HasSubstr("请键入一个整数。"));

    EXPECT_EQ(kExitFailed, Run({"--sequence", "sub/x"}));
    EXPECT_THAT(told, HasSubstr(rename_text::kForbiddenChars));

    EXPECT_EQ(kExitFailed, Run({dir.PathOf("missing"), "--replace", "a", "b"}, false));
    EXPECT_THAT(told, HasSubstr(rename_text::kCannotList));

    EXPECT_EQ(kExitFailed, Run({"", "--replace", "a", "b"}, false));
    EXPECT_THAT(told, HasSubstr(rename_text::kNoFolder));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
}

TEST_F(RenameCommand, CollisionRaisesTheFileErrorAndKeepsBothFiles) {
    EXPECT_THROW(Run({"--replace", "a", "b"}), CFileException);
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
}

TEST_F(RenameCommand, DryRunPrintsTheRenamesInTheRunsOrderAndMakesNone) {
    testing::internal::CaptureStdout();
    const int status = Run({"--sequence", "pic", "--dry-run"});
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(kExitDone, status);
    EXPECT_THAT(printed, testing::AnyOf("a.txt -> pic001.txt\nb.txt -> pic002.txt\n",
                                        "b.txt -> pic001.txt\na.txt -> pic002.txt\n"));
    EXPECT_THAT(told, IsEmpty());  // nothing was renamed, so no success either

    EXPECT_THROW(Run({"--replace", "a", "b", "--dry-run"}), CFileException);
    EXPECT_EQ(kExitFailed, Run({"--sequence", "sub/x", "--dry-run"}));
    EXPECT_THAT(told, HasSubstr(rename_text::kForbiddenChars));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
}

TEST_F(RenameCommand, ShortRelativeFolderIsTakenFromTheWorkingFolder) {
    // "sub" alone is under the four bytes a folder text needs; "." is one byte.
    dir.AddFile("sub" + std::string(1, path::kSeparator) + "c.txt");
    std::vector<char> saved(4096);
    ASSERT_NE(nullptr, getcwd(saved.data(), static_cast<int>(saved.size())));
    ASSERT_EQ(0, chdir(dir.Root().c_str()));
    const int subStatus = Run({"sub", "--extension", "md"}, false);
    const int dotStatus = Run({".", "--extension", "log"}, false);
    ASSERT_EQ(0, chdir(saved.data()));
    EXPECT_EQ(kExitDone, subStatus);
    EXPECT_EQ(kExitDone, dotStatus);
    EXPECT_THAT(NamesIn(dir.PathOf("sub")), ElementsAre("c.md"));
    EXPECT_THAT(dir.Names(), ElementsAre("a.log", "b.log", "sub"));
}

TEST_F(RenameCommand, UndoPutsBackTheLastRunAndIsItselfUndone) {
    EXPECT_EQ(kExitUsage, Run({}, false, true));
    EXPECT_EQ(kExitFailed, Run({}, true, true));  // nothing to undo yet
    EXPECT_EQ(kExitDone, Run({"--sequence", "pic"}));
    EXPECT_EQ(kExitFailed, Run({"--sequence", "sub/x"}));  // refused: no run to undo
    EXPECT_EQ(kExitDone, Run({"--dry-run"}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("pic001.txt", "pic002.txt", "sub"));
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
    EXPECT_EQ("a.txt", dir.Content("a.txt"));
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("pic001.txt", "pic002.txt", "sub"));
    // Windows stores "pic001. . " as "pic001"; every name still comes back.
    EXPECT_EQ(kExitDone, Run({"--replace", ".txt", ". . "}));
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("pic001.txt", "pic002.txt", "sub"));
}

TEST_F(RenameCommand, UndoLeavesAChangedEntryAloneAndNamesIt) {
    EXPECT_EQ(kExitDone, Run({"--extension", "md"}));
    ASSERT_TRUE(CFile::Rename(dir.PathOf("b.md"), dir.PathOf("b.old")));
    dir.AddFile("b.md", "another");  // not the file the run renamed
    EXPECT_EQ(kExitFailed, Run({}, true, true));
    EXPECT_THAT(told, HasSubstr("b.md"));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.md", "b.old", "sub"));
    // Its old name taken by another entry.
    EXPECT_EQ(kExitDone, Run({"--replace", "a.txt", "a.md"}));
    dir.AddFile("a.txt", "another");
    EXPECT_EQ(kExitFailed, Run({}, true, true));
    EXPECT_THAT(told, HasSubstr("a.md"));
    EXPECT_EQ("another", dir.Content("a.txt"));
    EXPECT_EQ("a.txt", dir.Content("a.md"));
}

// Each part of an entry's identity, changed in the journal as a new entry that got the
// old number would differ, makes undo leave the entry alone: the number alone decides
// nothing, whatever number the system happens to give again.
TEST_F(RenameCommand, UndoLeavesAnEntryAloneWhenAnyPartOfItsIdentityDiffers) {
    for (const size_t field : {2, 4, 5, 6}) {  // index, size, modified, created
        SCOPED_TRACE(field);
        std::filesystem::remove_all(std::filesystem::u8path(state.JournalFolder()));
        FolderFixture other;
        other.AddFile("a.txt", "a");
        ASSERT_EQ(kExitDone, Run({other.Root(), "--extension", "md"}, false));
        const std::string journal = LastJournal();
        std::string text = ReadText(journal);
        size_t start = text.find("\nrename\t") + 1;
        for (size_t i = 0; i < field; ++i) start = text.find('\t', start) + 1;
        const size_t end = text.find('\t', start);
        const uint64_t value = std::stoull(text.substr(start, end - start));
        WriteText(journal, text.replace(start, end - start, std::to_string(value + 1)));
        EXPECT_EQ(kExitFailed, Run({other.Root()}, false, true));
        EXPECT_THAT(told, HasSubstr("a.md"));
        EXPECT_THAT(other.Names(), ElementsAre("a.md"));
    }
}

TEST_F(RenameCommand, UndoRefusesAJournalOfAnotherFolderOrOfTheFirstFormat) {
    FolderFixture other;
    other.AddFile("a.md", "other");
    ASSERT_EQ(kExitDone, Run({"--extension", "md"}));
    const std::string journal = LastJournal(), text = ReadText(journal);
    const size_t folderEnd = text.find('\n', text.find("\nfolder\t") + 1);
    const size_t pathStart = text.rfind('\t', folderEnd) + 1;
    WriteText(journal, std::string(text).replace(pathStart, folderEnd - pathStart, other.Root()));
    EXPECT_EQ(kExitFailed, Run({}, true, true));
    EXPECT_THAT(told, HasSubstr("目录已被删除重建"));
    WriteText(journal,
              "quillet-rename-journal 1\nfolder\t" + dir.Root() + "\nrename\t1\t2\ta.txt\ta.md\n");
    EXPECT_EQ(kExitFailed, Run({}, true, true));
    EXPECT_THAT(told, HasSubstr("旧版本"));
    EXPECT_THAT(dir.Names(), ElementsAre("a.md", "b.md", "sub"));
    EXPECT_THAT(other.Names(), ElementsAre("a.md"));
    WriteText(journal, text);
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "sub"));
}

// A folder deleted and made again with a new file under the name the run gave: that
// file is not the renamed one, whatever number the system gave it.
TEST_F(RenameCommand, UndoInAFolderMadeAgainRenamesNothing) {
    const std::string work = dir.PathOf("sub");
    CFile file;
    ASSERT_TRUE(file.Open(work + path::kSeparator + "a.txt", CFile::modeCreate | CFile::modeWrite));
    file.Close();
    ASSERT_EQ(kExitDone, Run({work, "--extension", "md"}, false));
    ASSERT_EQ(2u, std::filesystem::remove_all(std::filesystem::u8path(work)));
    ASSERT_TRUE(folder::Create(work));
    WriteText(work + path::kSeparator + "a.md", "a new file");
    EXPECT_EQ(kExitFailed, Run({work}, false, true));
    EXPECT_THAT(NamesIn(work), ElementsAre("a.md"));
}

// Past 999,999 runs the numbers take a seventh digit; the newest run is still the last.
TEST_F(RenameCommand, UndoTakesTheNewestRunPastSixDigits) {
    ASSERT_EQ(kExitDone, Run({"--extension", "md"}));
    const std::string first = LastJournal();
    const std::string older = first.substr(0, first.size() - 14) + "999999.journal";
    ASSERT_TRUE(CFile::Rename(first, older));
    ASSERT_EQ(kExitDone, Run({"--extension", "log"}));
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("a.md", "b.md", "sub"));
    EXPECT_THAT(NamesIn(state.JournalFolder()),
                testing::Contains(testing::EndsWith("-1000000.journal")));
}

#ifndef _WIN32
// A link is renamed and undone as itself, whether it leads anywhere or not, and two
// links to one file are two entries; a folder link that leads elsewhere now is not
// the folder the run renamed in.
TEST_F(RenameCommand, LinksAreJournaledAsThemselves) {
    ASSERT_EQ(0, symlink("missing", dir.PathOf("gone.txt").c_str()));
    ASSERT_EQ(0, symlink("a.txt", dir.PathOf("c.txt").c_str()));
    ASSERT_EQ(0, symlink("a.txt", dir.PathOf("d.txt").c_str()));
    ASSERT_EQ(kExitDone, Run({"--extension", "md"}));
    EXPECT_THAT(dir.Names(), ElementsAre("a.md", "b.md", "c.md", "d.md", "gone.md", "sub"));
    EXPECT_EQ(kExitDone, Run({}, true, true));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt", "c.txt", "d.txt", "gone.txt", "sub"));

    FolderFixture elsewhere;
    elsewhere.AddFile("a.md", "elsewhere");
    const std::string link = dir.PathOf("link");
    ASSERT_EQ(0, symlink(dir.PathOf("sub").c_str(), link.c_str()));
    dir.AddFile("sub/a.txt");
    ASSERT_EQ(kExitDone, Run({link, "--extension", "md"}, false));
    ASSERT_EQ(0, unlink(link.c_str()));
    ASSERT_EQ(0, symlink(elsewhere.Root().c_str(), link.c_str()));
    EXPECT_EQ(kExitFailed, Run({link}, false, true));
    EXPECT_THAT(elsewhere.Names(), ElementsAre("a.md"));
    EXPECT_EQ(kExitDone, Run({dir.PathOf("sub")}, false, true));
    EXPECT_THAT(NamesIn(dir.PathOf("sub")), ElementsAre("a.txt"));
}
#endif

}  // namespace
