#include "rename/undo_report_text.h"

#include "platform/text.h"
#include "rename/rename_texts.h"

namespace {

// A box taller than the screen hides its buttons: past this many lines, a count.
constexpr size_t kLinesShown = 15;

size_t Count(const UndoResult& result, bool restored) {
    size_t n = 0;
    for (const UndoStep& s : result.steps) n += (s.kind == UndoStep::kRestored) == restored;
    return n;
}

std::string Line(const UndoStep& step) {
    const std::string from = text::ForDisplay(step.from), to = text::ForDisplay(step.to);
    switch (step.kind) {
        case UndoStep::kRestored:
            return from + " -> " + to;
        case UndoStep::kChanged:
            return rename_text::Fill(rename_text::kEntryChanged, {from});
        case UndoStep::kOldNameTaken:
            break;
    }
    return rename_text::Fill(rename_text::kOldNameTaken, {from, to});
}

// The steps restored or left alone, one line each, up to kLinesShown.
std::string Lines(const UndoResult& result, bool restored) {
    std::string lines;
    size_t shown = 0, all = 0;
    for (const UndoStep& s : result.steps) {
        if ((s.kind == UndoStep::kRestored) != restored) continue;
        if (++all <= kLinesShown) {
            lines += Line(s) + "\n";
            ++shown;
        }
    }
    if (all > shown) {
        lines += rename_text::Fill(rename_text::kUndoMore, {std::to_string(all - shown)}) + "\n";
    }
    return lines;
}

std::string LeftAlone(const UndoResult& result) {
    const size_t left = Count(result, false);
    if (left == 0) return std::string();
    return "\n" + rename_text::Fill(rename_text::kLeftAlone, {std::to_string(left)}) + "\n" +
           Lines(result, false);
}

}  // namespace

namespace undo_report_text {

std::string Question(const UndoResult& found) {
    return rename_text::Fill(rename_text::kUndoQuestion, {std::to_string(Count(found, true))}) +
           "\n" + Lines(found, true) + LeftAlone(found) + "\n" + rename_text::kUndoAsk;
}

std::string Report(const UndoResult& done) {
    return rename_text::Fill(rename_text::kRestored, {std::to_string(Count(done, true))}) +
           LeftAlone(done);
}

std::string NothingToRestore(const UndoResult& found) {
    return rename_text::kNothingToRestore + LeftAlone(found);
}

}  // namespace undo_report_text
