// quillet-cli rename: its arguments, exit status and messages, on real folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/commands.h"
#include "cli/terminal.h"
#include "common/state_folder.h"
#include "folder_fixture.h"
#include "platform/file_exception.h"
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

}  // namespace
