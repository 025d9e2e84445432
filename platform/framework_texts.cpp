#include "platform/framework_texts.h"

namespace framework_text {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Every text this layer shows; the Windows build turns them into code page 936 bytes.
const Entry kTexts[] = {
    {kUnnamedFile, "一未命名文件"},
    {kNoErrorMessage, "得不到出错信息。"},
    {kOutOfMemory, "内存不足。"},
    {kInternalFailure, "内部应用程序出错。"},
    {kCommandFailure, "命令失败。"},
    {kParseInteger, "请键入一个整数。"},
    {kParseReal, "请键入一个数。"},
    {kRealRange, "“请填入一个在%1和%2之间的数字。”"},
    {kFileNone + 0, "无错误发生。"},
    {kFileNone + 1, "在对 %1 进行访问时发生了一个不明错误。"},
    {kFileNone + 2, "没有找到 %1。"},
    {kFileNone + 3, "%1 中包含无效的路径。"},
    {kFileNone + 4, "无法打开 %1 因为太多文件已被打开。"},
    {kFileNone + 5, "对 %1 的存取被拒绝。"},
    {kFileNone + 6, "一个无效的文件柄与 %1 相关联。"},
    {kFileNone + 7, "无法删除 %1 因为它是当前目录。"},
    {kFileNone + 8, "该目录已满，无法创建 %1。"},
    {kFileNone + 9, "对 %1 进行查找失败。"},
    {kFileNone + 10, "在存取 %1 时一个硬件输入/输出错误被报告。"},
    {kFileNone + 11, "在存取 %1 时发生共享违例。"},
    {kFileNone + 12, "在存取 %1 时发生锁违例。"},
    {kFileNone + 13, "在存取 %1 时磁盘已满。"},
    {kFileEndOfFile, "试图越过其尾端对 %1 进行读写。"},
};

}  // namespace

const char* Get(int id) {
    for (const Entry& e : kTexts) {
        if (e.id == id) return e.text;
    }
    return "";
}

}  // namespace framework_text
