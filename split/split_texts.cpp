#include "split/split_texts.h"

namespace split_text {

const char kChunkOutOfRange[] = "分块大小须介于1MB和700MB之间!";
const char kChunkLargerThanSource[] = "分块大小比原文件大,无法分割!";
const char kFolderExists[] = "目录已存在,覆盖吗?";
const char kNoParts[] = "分割份数至少为1,无法分割!";
const char kEmptySourceByParts[] = "原文件是空的,无法按份数分割!";
const char kCannotClearOld[] = "无法删除上次分割留下的 %s,未分割!";

const char kWrongFile[] = "选择了错误的文件!";
const char kMissingPieces[] = "缺少文件,无法合并!";
const char kOutputIsPiece[] = "输出文件不能是待合并的分割文件!";
const char kOutputIsSeriesFile[] = "输出文件不能是这组分割文件的校验文件或恢复文件!";

const char kNoChunkSizeYet[] = "设置无效,还没有可用的分块大小,未分割。";
const char kFolderNotReused[] = "目录已存在,未覆盖,未分割。";
const char kOutputPathTooShort[] = "输出文件路径太短,未合并。";
const char kCannotCreateOutput[] = "无法创建输出文件 %s";
const char kSplitStopped[] =
    "分割已停止。已写完的 %s 个分割文件保留在 %s 中,未写完的那一个已删除。";
const char kMergeStopped[] = "合并已停止,未写完的输出文件 %s 已删除,分割文件都未改动。";
const char kAskStopSplit[] = "正在分割文件。要在当前数据块写完后停止吗?";
const char kDropOneFile[] = "这里只能拖入一个文件(不能是文件夹)，原来的选择没有改变。";
const char kAskStopMerge[] = "正在合并文件。要在当前数据块写完后停止吗?";
const char kCannotListFolder[] = "无法列出文件夹 %s 的内容,未合并。";
const char kNotTheOriginal[] = "合并结果与原文件的校验值不符,不是原文件!";
const char kChecksumUnreadable[] = "无法读取校验文件 %s(或者它太大),未合并!";
const char kAskRebuild[] = "分割文件 %s 缺失或已损坏。\n用恢复文件重建它吗?";
const char kRebuildFailed[] = "无法用恢复文件重建 %s!";
const char kPiecesLost[] = "缺少以下分割文件,无法得到原文件:%s";
const char kPiecesDamaged[] = "以下分割文件已损坏:%s\n合并结果不是原文件!";
const char kTooManyPieces[] =
    "找到的分割文件多于记录的份数(文件夹中可能有另一组分割文件),无法合并!";

const char kCannotListSeries[] = "无法列出文件夹 %s 的内容,未检查。";

std::string Format(const char* text, const std::string& value) {
    std::string result = text;
    // No trail byte of code page 936 is a '%', so a byte search is safe here.
    size_t at = result.find("%s");
    if (at != std::string::npos) result.replace(at, 2, value);
    return result;
}

}  // namespace split_text
