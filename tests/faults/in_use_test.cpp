// Entries that another program holds open. Windows refuses to share them; the POSIX
// files keep the same rules for opens through CFile, but a POSIX rename ignores them.
#include <gtest/gtest.h>

#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

#include "faults/fault_checks.h"
#include "rename/rename_engine.h"
#include "split/piece_format.h"
#include "split/split_fixture.h"
#include "split/split_texts.h"

namespace {

// Held the way a program that wants the file to itself holds it.
class Holder {
  public:
    explicit Holder(const std::string& path) {
        EXPECT_TRUE(m_file.Open(path, CFile::modeRead | CFile::shareExclusive)) << path;
    }

  private:
    CFile m_file;
};

class FaultInUse : public SplitMergeTest {};

TEST_F(FaultInUse, SplitStopsAtAPieceHeldOpenAndLeavesItsBytes) {
    const std::string bytes = Pattern(30000);
    dir.WriteFile("u.bin", bytes);
    SplitFields f = FieldsFor("u.bin");
    f.m_nMode = 0;
    f.m_nPartCount = 3;
    std::filesystem::create_directory(f.m_strTargetFolder);
    WriteBytes(PieceName(f, 1), "an older piece");
    Recorder notify;
    notify.answerYes = true;
    {
        Holder held(PieceName(f, 1));
        EXPECT_EQ(FileErrorText([&] { Split(f, notify); }), SharingViolationText(PieceName(f, 1)));
    }
    EXPECT_EQ(ReadBytes(PieceName(f, 0)),
              WritePieceHeader(0, 3, 10000, 10000) + bytes.substr(0, 10000));
    EXPECT_EQ(ReadBytes(PieceName(f, 1)), "an older piece");
    EXPECT_EQ(NamesIn(dir.Join("u")), (std::vector<std::string>{"u0.bin.spt", "u1.bin.spt"}));
    EXPECT_EQ(notify.Calls().back(), "wait off");
    EXPECT_TRUE(source.IsOpen());
}

// Held before the merge, a piece cannot be read by the scan and counts as missing;
// held after the scan, it stops the copy with its file error.
TEST_F(FaultInUse, MergeWithAPieceHeldOpen) {
    const std::string bytes = Pattern(30000);
    SplitFields f = SplitNew("h.bin", bytes, 3);
    const std::string out = dir.Join("h.out");
    {
        Holder held(PieceName(f, 2));
        Recorder notify;
        EXPECT_EQ(Merge(PieceName(f, 0), out, notify).reason, split_text::kMissingPieces);
        EXPECT_EQ(
            notify.events,
            (std::vector<std::string>{
                "wait on", std::string("message ") + split_text::kMissingPieces, "wait off"}));
        EXPECT_EQ(ReadBytes(out), "");
    }
    std::unique_ptr<Holder> held;
    Recorder notify;
    notify.onRange = [&] { held = std::make_unique<Holder>(PieceName(f, 2)); };
    EXPECT_EQ(FileErrorText([&] { Merge(PieceName(f, 0), out, notify); }),
              SharingViolationText(PieceName(f, 2)));
    EXPECT_EQ(ReadBytes(out), bytes.substr(0, 20000));
    EXPECT_EQ(notify.Calls(), (std::vector<std::string>{"wait on", "range 1 2", "wait off"}));
}

TEST_F(FaultInUse, MergeLeavesAnOutputHeldOpenAsItWas) {
    SplitFields f = SplitNew("o.bin", Pattern(30000), 3);
    dir.WriteFile("o.out", "older output");
    Recorder notify;
    {
        Holder held(dir.Join("o.out"));
        EXPECT_EQ(Merge(PieceName(f, 0), dir.Join("o.out"), notify).status, Outcome::kFailed);
    }
    EXPECT_EQ(notify.events, (std::vector<std::string>{"wait on", "wait off"}));
    EXPECT_EQ(ReadBytes(dir.Join("o.out")), "older output");
}

#ifdef _WIN32
// Opened without FILE_SHARE_DELETE, an entry cannot be renamed while it stays open.
TEST_F(FaultInUse, RenameStopsAtAnEntryHeldOpen) {
    dir.WriteFile("busy.txt", "busy");
    HANDLE h =
        CreateFileA(dir.Join("busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    RenameSettings s;
    s.m_strFolder = dir.path();
    int32_t serial = 0;
    Recorder notify;
    const std::string text = FileErrorText([&] { RunBatchRename(s, serial, notify); });
    CloseHandle(h);
    EXPECT_EQ(text, SharingViolationText("一未命名文件"));
    EXPECT_TRUE(notify.events.empty());
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"busy.txt"});
}
#endif

}  // namespace
