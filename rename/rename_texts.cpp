#include "rename/rename_texts.h"

namespace rename_text {

const char* const kNoFolder = "请先选择或输入目录!";
const char* const kSuccess = "改名操作成功!";
const char* const kForbiddenChars = "文件名不能包含下列任何字符: \\ / : * ? \" < > |";
const char* const kCutCharacter = "新文件名的文字以不完整的字符结尾，没有改名。";
const char* const kCannotList = "无法读取该目录的内容，没有改名。";
const char* const kDropOneFolder = "这里只能拖入一个文件夹，目录没有改变。";

const char* const kNoStateFolder = "没有保存改名记录的文件夹(LOCALAPPDATA 未设置)，没有改名。";
const char* const kJournalUnwritable = "无法写入改名记录，没有改名:";
const char* const kUndoJournalUnwritable = "无法写入撤销的改名记录，没有恢复任何名称:";

const char* const kPreviewSummary = "执行操作将改名 %1 个条目，按下列顺序:";
const char* const kPreviewStops = "执行操作将改名 %1 个条目后停止，按下列顺序:";
const char* const kPreviewRefused = "执行操作不会改名:";
const char* const kColumnRename = "原名称 -> 新名称";
const char* const kColumnNote = "说明";
const char* const kNoteUnchanged = "名称不变";
const char* const kNoteTaken = "新名称已被占用: 改名到此停止，此条目及其后的条目不改名";
const char* const kNoteStopped = "改名到此停止";
const char* const kNoteRefused = "不改名";

const char* const kNothingToUndo = "%1 中没有改名记录，没有可撤销的改名。";
const char* const kJournalDamaged = "改名记录 %1 的第 %2 行已损坏，没有恢复任何名称。";
const char* const kJournalFirstFormat =
    "改名记录 %1 是旧版本的格式，不能确认其中的条目，没有恢复任何名称。";
const char* const kJournalOtherFolder =
    "改名记录 %1 所记的目录已不是 %2（目录已被删除重建，或链接已指向别处），没有恢复任何名称。";
const char* const kNothingToRestore = "上次改名的名称没有可恢复的，没有改名。";
const char* const kUndoQuestion = "撤销上次改名，将恢复 %1 个名称:";
const char* const kUndoMore = "……另有 %1 个";
const char* const kUndoAsk = "是否撤销?";
const char* const kRestored = "已恢复 %1 个名称。";
const char* const kLeftAlone = "以下 %1 个名称保持不动:";
const char* const kEntryChanged = "%1: 此名称下已不是改名时的条目";
const char* const kOldNameTaken = "%1: 原名 %2 已被占用";

std::string Fill(const char* pattern, std::initializer_list<std::string> values) {
    std::string text = pattern;
    char mark[] = "%1";
    for (const std::string& value : values) {
        const size_t at = text.find(mark);
        if (at != std::string::npos) text.replace(at, 2, value);
        ++mark[1];
    }
    return text;
}

}  // namespace rename_text
