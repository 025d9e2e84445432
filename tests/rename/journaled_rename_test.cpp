// The journaled run and the undo of a folder's last run, where their journal fails.
#include "rename/journaled_rename.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/state_folder.h"
#include "folder_fixture.h"
#include "platform/state_files.h"
#include "recording_notifications.h"

using testing::ElementsAre;

namespace {

TEST(JournaledRename, AJournalThatCannotBeStartedStopsTheRunBeforeItsFirstRename) {
    StateFolderForTest state;
    FolderFixture dir;
    dir.AddFile("a.txt", "a");
    dir.AddFile("b.txt", "b");
    RenameSettings s;
    s.m_strFolder = dir.Root();
    RecordingNotifications notify;
    int32_t serial = 0;
    {
        // The journals' folder is taken by a file.
        CFile blocker;
        ASSERT_TRUE(blocker.Open(state_files::Folder(), CFile::modeCreate | CFile::modeWrite));
    }
    const JournaledRenameReport refused = RunJournaledRename(s, serial, notify, RenameOrder::kName);
    EXPECT_EQ(JournalTrouble::kUnwritable, refused.journal.kind);
    EXPECT_EQ(state_files::Folder(), refused.journal.error.m_strFileName);
    EXPECT_THAT(dir.Names(), ElementsAre("a.txt", "b.txt"));
    EXPECT_THAT(notify.messages, ElementsAre());
    EXPECT_EQ(LastRunUndo::kNoJournal, UndoLastRun(dir.Root(), false).status);

    ASSERT_TRUE(state_files::RemoveFile(state_files::Folder()));
    const JournaledRenameReport run = RunJournaledRename(s, serial, notify, RenameOrder::kName);
    EXPECT_EQ(JournalTrouble::kNone, run.journal.kind);
    EXPECT_THAT(dir.Names(), ElementsAre("name001.txt", "name002.txt"));
    EXPECT_TRUE(UndoLastRun(dir.Root(), false).result.allRestored());
    EXPECT_EQ("b", dir.Content("b.txt"));
}

}  // namespace
