// The preview against the run itself: on the same folder, the renames it lists must
// be exactly those the run then makes, and it must stop where the run stops.
#include "rename/rename_preview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "folder_fixture.h"
#include "platform/file_exception.h"
#include "recording_notifications.h"
#include "rename/rename_texts.h"
#include "rename/rename_undo.h"

namespace {

struct Scenario {
    const char* what;
    std::vector<const char*> files;
    std::vector<const char*> folders;
    std::function<void(RenameSettings&)> choose;
    enum { kDone, kTaken, kEitherWay } ends;  // kTaken: the run meets a taken name
    RenameOrder order = RenameOrder::kListing;
    const char* untouched = nullptr;  // an entry the run leaves under its name
};

// Windows ignores case and drops a name's trailing dots and spaces.
#ifdef _WIN32
constexpr auto kTakenOnWindows = Scenario::kTaken;
#else
constexpr auto kTakenOnWindows = Scenario::kDone;
#endif

void Replace(RenameSettings& s, const char* find, const char* with) {
    s.m_bChangeName = 0;
    s.m_bReplaceText = 1;
    s.m_strFind = find;
    s.m_strReplace = with;
}

void Extension(RenameSettings& s, const char* ext) {
    s.m_bChangeName = 0;
    s.m_bChangeExt = 1;
    s.m_strNewExt = ext;
}

const std::vector<Scenario>& Scenarios() {
    static const std::vector<Scenario> scenarios = {
        {"sequence over files, a folder and a hidden file left alone",
         {"a.txt", "b.txt", "c.dat", ".profile"},
         {"sub"},
         [](RenameSettings&) {},
         Scenario::kDone},
        {"folders by sequence",
         {"f.txt"},
         {"d1", "d2"},
         [](RenameSettings& s) {
             s.m_bFilesOnly = 0;
             s.m_bFoldersOnly = 1;
         },
         Scenario::kDone},
        {"a new name an earlier entry took",
         {"a.x", "b.x", "c.x"},
         {},
         [](RenameSettings& s) { s.m_nIncrement = 0; },
         Scenario::kTaken},
        {"a name that exists",
         {"x1.dat", "x2.dat"},
         {},
         [](RenameSettings& s) { Replace(s, "1", "2"); },
         Scenario::kTaken},
        {"a name of a hidden entry",
         {"b.a", ".a"},
         {},
         [](RenameSettings& s) { Replace(s, "b", ""); },
         Scenario::kTaken},
        {"a name of a folder",
         {"d1"},
         {"d2"},
         [](RenameSettings& s) { Replace(s, "1", "2"); },
         Scenario::kTaken},
        // Whether "a" meets "aa" before or after "aa" has moved on depends on the listing.
        {"a name freed by an earlier entry, or not yet",
         {"a", "aa"},
         {},
         [](RenameSettings& s) { Replace(s, "a", "aa"); },
         Scenario::kEitherWay},
        {"an emptied name",
         {"aa"},
         {},
         [](RenameSettings& s) { Replace(s, "aa", ""); },
         Scenario::kTaken},
        {"the same name again",
         {"a.txt", "b.txt"},
         {},
         [](RenameSettings& s) { Extension(s, "txt"); },
         Scenario::kDone},
        // Windows does not tell names apart by case, so there the new one is taken.
        {"names that differ in case",
         {"A.TXT", "b.txt"},
         {},
         [](RenameSettings& s) { Replace(s, "b", "a"); },
         kTakenOnWindows},
        {"names that differ in the case of a letter outside ASCII",
         {u8"É.txt", "b.txt"},
         {},
         [](RenameSettings& s) { Replace(s, "b", u8"é"); },
         kTakenOnWindows},
        {"a trailing dot that makes the name of another entry",
         {"a.txt", "a"},
         {},
         [](RenameSettings& s) { Extension(s, ""); },
         kTakenOnWindows},
        {"a trailing dot that leaves the name as it was",
         {"a.txt"},
         {},
         [](RenameSettings& s) { Replace(s, ".txt", ".txt."); },
         Scenario::kDone},
        {"trailing dots and spaces that make a free name",
         {"a.txt"},
         {},
         [](RenameSettings& s) { Replace(s, ".txt", ". . "); },
         Scenario::kDone},
        {"natural order",
         {"IMG_10.jpg", "img_2.jpg", "IMG_1.jpg"},
         {},
         [](RenameSettings&) {},
         Scenario::kDone,
         RenameOrder::kNatural},
        // The system's own limit: 255 bytes (UTF-16 units on Windows) pass, 256 do not.
        {"a new name of 255 bytes",
         {"a.txt"},
         {},
         [](RenameSettings& s) { s.m_strNewName = std::string(248, 'n'); },
         Scenario::kDone},
        {"a new name of 256 bytes",
         {"a.txt"},
         {},
         [](RenameSettings& s) { s.m_strNewName = std::string(249, 'n'); },
         Scenario::kTaken},
        {"a case-rename temporary outside the run's filter",
         {"B.quillet-case"},
         {"d1"},
         [](RenameSettings& s) {
             s.m_bFilesOnly = 0;
             s.m_bFoldersOnly = 1;
         },
         Scenario::kDone,
         RenameOrder::kListing,
         "B.quillet-case"},
        {"a forbidden character, refused before anything",
         {"a.txt"},
         {},
         [](RenameSettings& s) { s.m_strNewName = "a:b"; },
         Scenario::kDone},
    };
    return scenarios;
}  // namespace

using Renames = std::vector<std::pair<std::string, std::string>>;

// The folder's names after the listed renames, made one after the other.
std::vector<std::string> Applied(std::vector<std::string> names, const Renames& renames) {
    for (const auto& rename : renames) {
        auto old = std::find(names.begin(), names.end(), rename.first);
        EXPECT_NE(old, names.end()) << rename.first << " is not there to rename";
        if (old != names.end()) *old = rename.second;
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RenamePreview, ListsExactlyWhatTheRunThenDoesAndStopsWhereItStops) {
    for (const Scenario& c : Scenarios()) {
        SCOPED_TRACE(c.what);
        FolderFixture dir;
        for (const char* name : c.files) dir.AddFile(name, name);
        for (const char* name : c.folders) dir.AddFolder(name);
        RenameSettings s;
        s.m_strFolder = dir.Root();
        c.choose(s);
        const std::vector<std::string> before = dir.Names();

        Renames listed;
        std::pair<std::string, std::string> taken;
        std::string previewError;
        RecordingNotifications previewNotify;
        int32_t serial = 99;
        try {
            PreviewBatchRename(
                s, serial, previewNotify,
                [&](const std::string& from, const std::string& to) {
                    listed.emplace_back(from, to);
                },
                c.order,
                [&](const std::string& from, const std::string& to) {
                    taken = {from, to};
                });
        } catch (const CFileException& e) {
            previewError = e.ErrorMessage();
        }
        EXPECT_EQ(before, dir.Names()) << "the preview renamed something";

        std::string runError;
        RecordingNotifications runNotify;
        uint32_t renamed = 0;
        int32_t runSerial = 99;
        rename_journal::Journal journal;
        RenameRunOptions options;
        options.order = c.order;
        options.beforeRename = [&](const std::string& prefix, const std::string& from,
                                   const std::string& to) {
            journal.records.push_back({{}, from, to});
            ASSERT_TRUE(folder::Identify(prefix + from, journal.records.back().identity));
        };
        try {
            renamed = RunBatchRename(s, runSerial, runNotify, options).renamed;
        } catch (const CFileException& e) {
            runError = e.ErrorMessage();
        }

        if (c.ends != Scenario::kEitherWay) {
            EXPECT_EQ(c.ends == Scenario::kTaken, !runError.empty());
        }
        EXPECT_EQ(runError, previewError);
        if (!runError.empty() && !journal.records.empty()) {
            // The preview names the rename the run failed at, its last one (a name refused
            // before any move, as too long, reaches no rename).
            const rename_journal::Record& last = journal.records.back();
            EXPECT_EQ(taken, std::make_pair(last.oldName, folder::StoredName(last.newName)));
        }
        EXPECT_EQ(runSerial, serial);
        EXPECT_EQ(Applied(before, listed), dir.Names());
        if (c.untouched) {
            EXPECT_EQ(c.untouched, dir.Content(c.untouched));
        }
        if (runError.empty()) {
            // A name that stays as it was is listed, but nothing changes and it is not counted.
            const auto changed = std::count_if(listed.begin(), listed.end(),
                                               [](const auto& r) { return r.first != r.second; });
            EXPECT_EQ(renamed, static_cast<uint32_t>(changed));
        }
        // The same messages, but for the success a preview has no right to report.
        std::vector<std::string> runMessages = runNotify.messages;
        runMessages.erase(
            std::remove(runMessages.begin(), runMessages.end(), rename_text::kSuccess),
            runMessages.end());
        EXPECT_EQ(runMessages, previewNotify.messages);

        // Undone, every entry is back under its old name; undoing the undo puts the
        // run's names back.
        const std::vector<std::string> after = dir.Names();
        rename_journal::Journal undoJournal;
        const auto record = [&](const std::vector<rename_journal::Record>& moves) {
            undoJournal.records = moves;
        };
        EXPECT_TRUE(
            UndoRenames(dir.Root() + path::kSeparator, journal, false, record).allRestored());
        EXPECT_EQ(before, dir.Names());
        for (const char* name : c.files) EXPECT_EQ(name, dir.Content(name));
        UndoRenames(dir.Root() + path::kSeparator, undoJournal, false, nullptr);
        EXPECT_EQ(after, dir.Names());
    }
}

}  // namespace
