#include "split/checked_merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "split/split_texts.h"
#include "split_fixture.h"

namespace {

namespace fs = std::filesystem;

class CheckedMergeTest : public SplitMergeTest {};

// Each row harms piece 1 of a fresh series, answers the page's question, and expects
// the joined file to be the source exactly when the merge says so.
TEST_F(CheckedMergeTest, DamageIsNamedOrRepairedBeforeTheJoin) {
    struct Row {
        const char* what;
        bool spare, remove, answerYes;
        bool asked, ok;
        const char* lastMessage;  // nullptr: none
    };
    const Row rows[] = {
        {"untouched", true, false, false, false, true, nullptr},
        {"flipped, no spare", false, false, false, false, false, split_text::kPiecesDamaged},
        {"flipped, spare, yes", true, false, true, true, true, nullptr},
        {"flipped, spare, no", true, false, false, true, false, split_text::kPiecesDamaged},
        {"missing, spare, yes", true, true, true, true, true, nullptr},
        {"missing, spare, no", true, true, false, true, false, split_text::kPiecesLost},
        {"missing, no spare", false, true, false, false, false, split_text::kPiecesLost},
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const std::string name = "m" + std::to_string(n++) + ".bin";
        const std::string bytes = Pattern(3 * 1000 + 5, n);
        checks.spare = r.spare;
        SplitFields f = SplitNew(name, bytes, 3);
        const std::string piece = PieceName(f, 1);
        if (r.remove) {
            fs::remove(piece);
        } else if (std::string(r.what) != "untouched") {
            const auto time = fs::last_write_time(piece);
            std::fstream(piece, std::ios::in | std::ios::out | std::ios::binary)
                .seekp(500)
                .put('!');
            fs::last_write_time(piece, time);  // the disk's damage, not an edit
        }
        Recorder notify;
        notify.answerYes = r.answerYes;
        MergeFields fields{PieceName(f, 0), path::FolderOf(piece), dir.Join(name + ".out"),
                           dir.path()};
        const Outcome outcome = MergeChecked(fields, state, notify);
        EXPECT_EQ(outcome.ok(), r.ok);
        EXPECT_EQ(fs::exists(dir.Join(name + ".out")) && dir.ReadFile(name + ".out") == bytes,
                  r.ok);
        const std::vector<std::string> calls = notify.Calls();
        const std::string ask =
            "ask " + split_text::Format(split_text::kAskRebuild, path::NameOf(piece));
        EXPECT_EQ(std::count(calls.begin(), calls.end(), ask), r.asked ? 1 : 0);
        std::string last;
        for (const std::string& c : calls) {
            if (c.compare(0, 8, "message ") == 0) last = c;
        }
        if (r.lastMessage) {
            EXPECT_NE(last.find(std::string(r.lastMessage).substr(0, 12)), std::string::npos);
            EXPECT_NE(last.find(path::NameOf(piece)), std::string::npos) << last;
        } else {
            EXPECT_EQ(last, "");
            EXPECT_EQ(calls[calls.size() - 2], "open " + dir.path());
        }
    }
}

}  // namespace
