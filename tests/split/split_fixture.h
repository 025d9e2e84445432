// Shared by the split and merge tests: a recording fake of the engine notifications
// and a temporary folder with helpers to split and merge in it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "platform/engine_notifications.h"
#include "platform/file.h"
#include "platform/path.h"
#include "split/merge_engine.h"
#include "split/split_engine.h"

class Recorder : public EngineNotifications {
  public:
    void ShowMessage(const std::string& text) override { events.push_back("message " + text); }
    bool AskYesNo(const std::string& text) override {
        events.push_back("ask " + text);
        return answerYes;
    }
    void SetProgressRange(uint32_t min, uint32_t max) override {
        events.push_back("range " + std::to_string(min) + " " + std::to_string(max));
        if (onRange) onRange();
    }
    void SetProgressPos(uint64_t pos) override {
        lastPos = pos;
        events.push_back("pos " + std::to_string(pos));
        if (onProgress) onProgress(pos);
    }
    void BeginWaitCursor() override { events.push_back("wait on"); }
    void EndWaitCursor() override { events.push_back("wait off"); }
    void OpenFolder(const std::string& path) override { events.push_back("open " + path); }
    bool UpdateData() override {
        events.push_back("update");
        return exchangeOk;
    }
    bool StopRequested() override { return stopAtPos != 0 && lastPos >= stopAtPos; }

    // Everything but the progress positions.
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const std::string& e : events) {
            if (e.compare(0, 4, "pos ") != 0) calls.push_back(e);
        }
        return calls;
    }

    std::vector<std::string> events;
    bool answerYes = false;
    bool exchangeOk = true;
    uint64_t stopAtPos = 0;  // the user asks to stop once the bar has reached it; 0: never
    uint64_t lastPos = 0;
    std::function<void()> onRange;
    std::function<void(uint64_t)> onProgress;
};

// Bytes that differ from one offset to the next, so a shifted copy never matches.
inline std::string Pattern(size_t size, uint32_t seed = 1) {
    std::string bytes(size, '\0');
    uint32_t x = seed * 2654435761u + 12345u;
    for (char& c : bytes) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

class SplitMergeTest : public ::testing::Test {
  protected:
    SplitChecks checks;  // what the splits of Split and SplitNew write beside the pieces

    // The fields the page would hold after choosing dir/name as the source.
    SplitFields FieldsFor(const std::string& name) const {
        SplitFields f;
        f.m_strSourcePath = dir.Join(name);
        f.m_strSourceTitle = path::TitleOf(name);
        f.m_strSourceExt = path::ExtensionOf(name);
        f.m_strTargetFolder = dir.Join(f.m_strSourceTitle) + path::kSeparator;
        return f;
    }

    Outcome Split(SplitFields& f, Recorder& notify) {
        if (!source.IsOpen()) {
            EXPECT_TRUE(source.Open(f.m_strSourcePath,
                                    CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary));
        }
        return SplitFile(source, f, notify, checks);
    }

    // Splits a new source of the given bytes; mode 0 when parts is given.
    SplitFields SplitNew(const std::string& name, const std::string& bytes, int32_t parts = 0,
                         float chunkMB = 2.0f) {
        dir.WriteFile(name, bytes);
        SplitFields f = FieldsFor(name);
        f.m_fChunkMB = chunkMB;
        if (parts > 0) {
            f.m_nMode = 0;
            f.m_nPartCount = parts;
        }
        Recorder notify;
        EXPECT_TRUE(Split(f, notify).ok());
        return f;
    }

    Outcome Merge(const std::string& piece, const std::string& output, Recorder& notify) {
        MergeFields f{piece, path::FolderOf(piece), output, path::FolderOf(output)};
        return MergeEngine(f, state, notify).MergePieces();
    }

    std::string Read(const std::string& fullPath) const {
        return dir.ReadFile(fullPath.substr(dir.path().size() + 1));
    }

    TempDir dir;
    CFile source;
    MergeState state;
};
