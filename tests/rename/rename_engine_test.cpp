#include "rename/rename_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "folder_fixture.h"
#include "platform/file_exception.h"
#include "recording_notifications.h"
#include "rename/rename_texts.h"

#ifdef _WIN32
#include <windows.h>
#endif

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;

namespace {

// A taken name is refused naming the entry that was to have it.
std::string AccessDenied(const std::string& path) {
    return "对 " + path + " 的存取被拒绝。";
}

std::vector<std::string> Numbered(const char* base, int from, int to, int step, const char* tail) {
    std::vector<std::string> names;
    for (int n = from; n <= to; n += step) {
        char number[16];
        snprintf(number, sizeof number, n < 10 ? "00%d" : n < 100 ? "0%d" : "%d", n);
        names.push_back(std::string(base) + number + tail);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RenameRun : public testing::Test {
  protected:
    RenameRun() { s.m_strFolder = dir.Root(); }

    RenameOutcome Run() { return RunBatchRename(s, serial, notify); }

    void UseExtensionRule(const std::string& ext) {
        s.m_bChangeName = 0;
        s.m_bChangeExt = 1;
        s.m_strNewExt = ext;
    }
    void UseReplacementRule(const std::string& find, const std::string& with) {
        s.m_bChangeName = 0;
        s.m_bReplaceText = 1;
        s.m_strFind = find;
        s.m_strReplace = with;
    }
    void UseFolders() {
        s.m_bFilesOnly = 0;
        s.m_bFoldersOnly = 1;
    }
    // Runs expecting a failed rename; returns the error's text.
    std::string RunExpectingFileError() {
        try {
            Run();
        } catch (const CFileException& e) {
            return e.ErrorMessage();
        }
        ADD_FAILURE() << "the run raised no file error";
        return std::string();
    }

    FolderFixture dir;
    RenameSettings s;
    int32_t serial = 1234;
    RecordingNotifications notify;
};

TEST_F(RenameRun, FolderTextUnderFourBytesIsRefused) {
    for (const char* folder : {"", "C:\\", "abc"}) {
        s.m_strFolder = folder;
        RenameOutcome outcome = Run();
        EXPECT_EQ(Outcome::kRefused, outcome.status);
        EXPECT_EQ(0, serial);
    }
#ifdef _WIN32
    // Counted as code page 936 bytes, as the window has always counted the typed text.
    s.m_strFolder = u8"中a";
    EXPECT_EQ(Outcome::kRefused, Run().status);
    notify.messages.pop_back();
#endif
    EXPECT_THAT(notify.messages, testing::Each(std::string(rename_text::kNoFolder)));
    EXPECT_EQ(3u, notify.messages.size());
}

TEST_F(RenameRun, FourByteFolderTextPassesTheLengthTest) {
    // Two double-byte characters in code page 936: four bytes, a folder that is not there.
    s.m_strFolder = u8"中文";
    RenameOutcome outcome = Run();
    EXPECT_EQ(Outcome::kFailed, outcome.status);
    EXPECT_EQ(rename_text::kCannotList, outcome.reason);
    EXPECT_THAT(notify.messages, IsEmpty());
}

TEST_F(RenameRun, MissingFolderEndsSilently) {
    dir.AddFile("a.txt");
    s.m_strFolder = dir.PathOf("missing");
    EXPECT_EQ(Outcome::kFailed, Run().status);
    EXPECT_THAT(notify.messages, IsEmpty());
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt"));
}

TEST_F(RenameRun, SequenceRulePutsTheNumberAfterOrBeforeTheBase) {
    dir.AddFile("a.txt", "content");
    RenameOutcome outcome = Run();
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(1u, outcome.renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("name001.txt"));
    EXPECT_EQ("content", dir.Content("name001.txt"));
    EXPECT_THAT(notify.messages, ElementsAre(rename_text::kSuccess));

    s.m_bNumberFirst = 1;
    Run();
    EXPECT_THAT(dir.Names(), ElementsAre("001name.txt"));
}

TEST_F(RenameRun, NumbersLoseTheirPaddingAsTheyGrow) {
    for (int i = 0; i < 101; ++i) dir.AddFile("f" + std::to_string(i) + ".x");
    RenameOutcome outcome = Run();
    EXPECT_EQ(101u, outcome.renamed);
    EXPECT_EQ(101, serial);
    EXPECT_EQ(Numbered("name", 1, 101, 1, ".x"), dir.Names());
}

TEST_F(RenameRun, IncrementStepsTheCounterAndMayBeNegative) {
    for (const char* name : {"a.x", "b.x", "c.x"}) dir.AddFile(name);
    s.m_nIncrement = 5;
    Run();
    EXPECT_EQ(15, serial);
    EXPECT_EQ(Numbered("name", 5, 15, 5, ".x"), dir.Names());

    s.m_nIncrement = -1;
    s.m_strNewName = "n";
    Run();
    EXPECT_EQ(-3, serial);
    EXPECT_THAT(dir.Names(), ElementsAre("n00-1.x", "n00-2.x", "n00-3.x"));
}

TEST_F(RenameRun, IncrementZeroStopsAtTheFirstCollision) {
    for (const char* name : {"a.x", "b.x", "c.x"}) dir.AddFile(name, name);
    s.m_nIncrement = 0;
    const std::string error = RunExpectingFileError();
    EXPECT_THAT(notify.messages, IsEmpty());
    // The first entry keeps its new name; the one that collided and those after it
    // keep their old ones.
    std::vector<std::string> names = dir.Names();
    ASSERT_EQ(3u, names.size());
    EXPECT_EQ("name000.x", names.back());
    std::string firstContent = dir.Content("name000.x");
    for (size_t i = 0; i < 2; ++i) EXPECT_EQ(names[i], dir.Content(names[i]));
    EXPECT_TRUE(error == AccessDenied(dir.PathOf(names[0])) ||
                error == AccessDenied(dir.PathOf(names[1])))
        << error;
    EXPECT_NE(names[0], firstContent);
    EXPECT_NE(names[1], firstContent);
}

TEST_F(RenameRun, CollisionNeverReplacesTheExistingFile) {
    dir.AddFile("x1.dat", "old");
    dir.AddFile("x2.dat", "keep me");
    UseReplacementRule("1", "2");
    try {
        Run();
        FAIL() << "the rename replaced an existing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::accessDenied, e.m_cause);
        EXPECT_TRUE(e.m_lOsError == 183 || e.m_lOsError == 80) << e.m_lOsError;
        EXPECT_EQ(dir.PathOf("x1.dat"), e.m_strFileName);
    }
    EXPECT_THAT(dir.Names(), ElementsAre("x1.dat", "x2.dat"));
    EXPECT_EQ("keep me", dir.Content("x2.dat"));
}

TEST_F(RenameRun, CollisionNeverReplacesAnEmptyFolder) {
    dir.AddFolder("d1");
    dir.AddFolder("d2");
    UseFolders();
    UseReplacementRule("1", "2");
    EXPECT_EQ(AccessDenied(dir.PathOf("d1")), RunExpectingFileError());
    EXPECT_THAT(dir.Names(), ElementsAre("d1", "d2"));
}

TEST_F(RenameRun, FilesOnlyLeavesFoldersAloneAndUncounted) {
    dir.AddFolder("sub.d");
    dir.AddFile("a.txt");
    dir.AddFile("b.txt");
    Run();
    EXPECT_EQ(2, serial);
    EXPECT_THAT(dir.Names(), ElementsAre("name001.txt", "name002.txt", "sub.d"));
}

TEST_F(RenameRun, FoldersOnlyLeavesFilesAloneAndGivesNoTail) {
    dir.AddFolder("a.b");
    dir.AddFolder("c");
    dir.AddFile("f.txt");
    UseFolders();
    EXPECT_EQ(2u, Run().renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("f.txt", "name001", "name002"));
    EXPECT_THAT(notify.messages, ElementsAre(rename_text::kSuccess));
}

TEST_F(RenameRun, ExtensionRuleWithFoldersChangesNothingSilently) {
    dir.AddFolder("a.b");
    dir.AddFile("f.doc");
    UseFolders();
    UseExtensionRule("txt");
    EXPECT_EQ(0u, Run().renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("a.b", "f.doc"));
    EXPECT_THAT(notify.messages, IsEmpty());
}

#ifdef _WIN32
TEST_F(RenameRun, HiddenEntriesAreNeitherChangedNorCounted) {
    dir.AddFile("h.txt");
    dir.AddFolder("hd");
    ASSERT_TRUE(SetFileAttributesA(dir.PathOf("h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(dir.PathOf("hd").c_str(), FILE_ATTRIBUTE_HIDDEN));
    dir.AddFile("v.txt");
    Run();
    EXPECT_EQ(1, serial);
    EXPECT_THAT(dir.Names(), ElementsAre("h.txt", "hd", "name001.txt"));
    UseFolders();
    Run();
    EXPECT_EQ(0, serial);
}
#else
TEST_F(RenameRun, HiddenEntriesAreNeitherChangedNorCounted) {
    dir.AddFile(".profile");
    dir.AddFolder(".hidden");
    dir.AddFile("v.txt");
    Run();
    EXPECT_EQ(1, serial);
    EXPECT_THAT(dir.Names(), ElementsAre(".hidden", ".profile", "name001.txt"));
    UseFolders();
    Run();
    EXPECT_EQ(0, serial);
}
#endif

#ifdef _WIN32
TEST_F(RenameRun, DoubleByteNamesAreSteppedOverWholeCharacters) {
    // In code page 936 "丄" is "\x81\x41", ending in 'A', and "昞" is "\x95\x5C", ending
    // in a backslash; names are UTF-8 inside, where no byte of them is either.
    dir.AddFile(u8"丄.txt");
    dir.AddFile("xA.txt");
    UseReplacementRule("A", "B");
    EXPECT_EQ(1u, Run().renamed);
    EXPECT_THAT(dir.Names(), UnorderedElementsAre(u8"丄.txt", "xB.txt"));

    s = RenameSettings();
    s.m_strFolder = dir.Root();
    s.m_strNewName = u8"昞";
    EXPECT_EQ(2u, Run().renamed);
    EXPECT_THAT(dir.Names(), ElementsAre(u8"昞001.txt", u8"昞002.txt"));
}
#endif

TEST_F(RenameRun, ExtensionRuleReplacesOnlyTheLastExtension) {
    dir.AddFile("archive.tar.gz");
    UseExtensionRule("txt");
    Run();
    EXPECT_THAT(dir.Names(), ElementsAre("archive.tar.txt"));
    EXPECT_THAT(notify.messages, ElementsAre(rename_text::kSuccess));
}

TEST_F(RenameRun, EmptyExtensionLeavesTheDot) {
    dir.AddFile("a.txt");
    UseExtensionRule("");
    Run();
#ifdef _WIN32
    // Windows drops a trailing dot from every name it is given.
    EXPECT_THAT(dir.Names(), ElementsAre("a"));
#else
    EXPECT_THAT(dir.Names(), ElementsAre("a."));
#endif
}

TEST_F(RenameRun, NamesWithoutDotTakeNoTailAndGainAnExtension) {
    dir.AddFile("README");
    Run();
    EXPECT_THAT(dir.Names(), ElementsAre("name001"));

    UseExtensionRule("txt");
    Run();
    EXPECT_THAT(dir.Names(), ElementsAre("name001.txt"));
}

TEST_F(RenameRun, NameWithoutDotAndEmptyExtensionStaysWithoutFailing) {
    dir.AddFile("README");
    UseExtensionRule("");
    RenameOutcome outcome = Run();
    EXPECT_TRUE(outcome.ok());
    EXPECT_EQ(0u, outcome.renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("README"));
    EXPECT_THAT(notify.messages, IsEmpty());
}

TEST_F(RenameRun, ReplacementRenamesButNeverReportsSuccess) {
    dir.AddFile("aaa.txt");
    dir.AddFile("Abc.txt");
    dir.AddFile("note.txt");
    UseReplacementRule("aa", "b");
    EXPECT_EQ(1u, Run().renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("Abc.txt", "ba.txt", "note.txt"));

    UseReplacementRule("txt", "md");
    EXPECT_EQ(3u, Run().renamed);
    EXPECT_THAT(dir.Names(), ElementsAre("Abc.md", "ba.md", "note.md"));

    UseReplacementRule("zzz", "y");
    EXPECT_EQ(0u, Run().renamed);
    EXPECT_THAT(notify.messages, IsEmpty());
}

TEST_F(RenameRun, ReplacementThatEmptiesTheNameFails) {
    dir.AddFile("aa", "data");
    UseReplacementRule("aa", "");
    EXPECT_THROW(Run(), CFileException);
    EXPECT_EQ("data", dir.Content("aa"));
}

TEST_F(RenameRun, RenamedEntriesAreNotMetAgain) {
    // A growing replacement would rename a re-listed entry once more.
    for (int i = 0; i < 60; ++i) dir.AddFile("a" + std::to_string(i));
    UseReplacementRule("a", "aa");
    EXPECT_EQ(60u, Run().renamed);
    std::vector<std::string> expected;
    for (int i = 0; i < 60; ++i) expected.push_back("aa" + std::to_string(i));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, dir.Names());
}

TEST_F(RenameRun, SequenceNamesAreNotNumberedTwice) {
    for (int i = 0; i < 60; ++i) dir.AddFile("f" + std::to_string(i) + ".x");
    s.m_strNewName = "zz";  // sorts after the old names in any listing
    EXPECT_EQ(60u, Run().renamed);
    EXPECT_EQ(60, serial);
    EXPECT_EQ(Numbered("zz", 1, 60, 1, ".x"), dir.Names());
}

TEST_F(RenameRun, ForbiddenCharactersAreRefusedBeforeAnyRename) {
    dir.AddFile("a.txt");
    dir.AddFolder("sub");
    for (const char* base : {"sub\\n", "sub/n", "n:", "n*", "n?", "n\"", "n<", "n>", "n|"}) {
        s.m_strNewName = base;
        EXPECT_EQ(Outcome::kRefused, Run().status) << base;
    }
    UseExtensionRule("t/xt");
    Run();
    UseReplacementRule("a", "sub/a");
    Run();
    EXPECT_EQ(11u, notify.messages.size());
    EXPECT_THAT(notify.messages, testing::Each(std::string(rename_text::kForbiddenChars)));
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "sub"));
    EXPECT_THAT(NamesIn(dir.PathOf("sub")), IsEmpty());
}

TEST_F(RenameRun, FolderTextEndingInASeparatorStillWorks) {
    dir.AddFile("a.txt");
    s.m_strFolder += path::kSeparator;
    Run();
    EXPECT_THAT(dir.Names(), ElementsAre("name001.txt"));
}

TEST(OpenResultFolder, OpensTheStoredFolder) {
    RenameSettings s;
    s.m_strFolder = "D:\\photos";
    RecordingNotifications notify;
    OpenResultFolder(s, notify);
    EXPECT_THAT(notify.openedFolders, ElementsAre("D:\\photos"));
    EXPECT_THAT(notify.messages, IsEmpty());
}

}  // namespace
