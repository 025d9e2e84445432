#include "rename/rename_texts.h"

namespace rename_text {

const char* const kNoFolder = "请先选择或输入目录!";
const char* const kSuccess = "改名操作成功!";
const char* const kForbiddenChars = "文件名不能包含下列任何字符: \\ / : * ? \" < > |";
const char* const kCutCharacter = "新文件名的文字以不完整的字符结尾，没有改名。";
const char* const kCannotList = "无法读取该目录的内容，没有改名。";
const char* const kDropOneFolder = "这里只能拖入一个文件夹，目录没有改变。";

}  // namespace rename_text
