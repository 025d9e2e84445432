#include "cli/cli_texts.h"

#include <initializer_list>
#include <string>

#include "cli/console.h"

namespace cli_text {

// The pattern (a program text) in UTF-8 with %1, %2, ... replaced by the values, in
// one pass, so that a path holding "%2" stays as it is.
std::string Fill(const char* pattern, std::initializer_list<std::string> values) {
    const std::string utf8 = console::FromText(pattern);
    std::string text;
    for (const char* p = utf8.c_str(); *p; ++p) {
        const size_t n =
            p[0] == '%' && p[1] >= '1' && p[1] <= '9' ? size_t(p[1] - '1') : values.size();
        if (n < values.size()) {
            text += values.begin()[n];
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

const char kUsage[] =
    "用法:\n"
    "  quillet-cli split SOURCE [--size MB | --parts N] [--into FOLDER] [--yes] [--no-checksum | "
    "--parity]\n"
    "  quillet-cli merge PIECE OUTPUT\n"
    "  quillet-cli verify PIECE\n"
    "  quillet-cli repair PIECE\n"
    "  quillet-cli rename FOLDER (--sequence BASE [--increment N] [--number-first] | --extension "
    "EXT | --replace FIND WITH) [--folders] [--order name|natural|time] [--dry-run]\n"
    "  quillet-cli undo FOLDER [--dry-run]\n"
    "  quillet-cli --help\n"
    "  quillet-cli --version\n"
    "\n"
    "split   把 SOURCE 分割为 .spt 分割文件\n"
    "  --size MB       每块的大小,1 到 700 MB,默认 2\n"
    "  --parts N       分割为 N 等份\n"
    "  --into FOLDER   存放分割文件的文件夹,默认为原文件旁以其名称命名的文件夹\n"
    "  --yes           文件夹已存在时直接使用,不再询问\n"
    "  --no-checksum   不写校验文件 SOURCE.sha256(默认写在分割文件旁,可用 sha256sum -c\n"
    "                  --ignore-missing 检查)\n"
    "  --parity        另写备用块 SOURCE.parity,可重建任意一个缺失或损坏的分割文件\n"
    "merge   把 PIECE 所在文件夹中的整组分割文件合并为 OUTPUT;有校验文件时边合并边检查,\n"
    "        指出内容不符的分割文件,以及 OUTPUT 是否与原文件相同\n"
    "verify  检查 PIECE 所在文件夹中合并时将取用的整组分割文件,不写入任何文件:\n"
    "        序号从 0 起齐全且不重复,各块的份数和分块大小相同,除最后一块外数据大小等于\n"
    "        分块大小,文件长度等于文件头加数据大小;有校验文件时还读取每个分割文件,\n"
    "        指出内容不符的\n"
    "repair  按校验文件找出缺失或损坏的一个分割文件,用其余分割文件和备用块重建它;\n"
    "        缺失或损坏两个以上时不写入任何文件\n"
    "rename  按所选的一种规则重命名 FOLDER 中的文件(隐藏的除外)\n"
    "  --sequence BASE      改名为 BASE 加序号,保留扩展名\n"
    "  --increment N        序号的增量,默认 1,可为 0 或负数\n"
    "  --number-first       序号放在 BASE 之前\n"
    "  --extension EXT      把扩展名改为 EXT\n"
    "  --replace FIND WITH  把名称中的每个 FIND 替换为 WITH\n"
    "  --folders            重命名子文件夹,而不是文件\n"
    "  --order ORDER        按此顺序取文件并编号:\n"
    "                       name     按名称,不分大小写,与 Windows 上 NTFS 列出的顺序相同\n"
    "                       natural  按名称,其中的数字按数值比较(IMG_2 在 IMG_10 之前)\n"
    "                       time     按修改时间,从旧到新,时间相同的按名称\n"
    "                       默认: Linux 上为 name,Windows 上为系统列出的顺序(与窗口相同)\n"
    "  --dry-run            只按执行的顺序列出每个改名(旧名 -> 新名),不改名\n"
    "        每次改名(--dry-run 除外)在改动每个名称之前先把它写入改名记录,保存在\n"
    "        $XDG_STATE_HOME/quillet(未设置时为 ~/.local/state/quillet;Windows 上为\n"
    "        %LOCALAPPDATA%\\Quillet),每个文件夹保留最近 20 次\n"
    "undo    撤销 FOLDER 中最近一次改名(包括被中断的改名和一次撤销):从最后一个改名起,把每个\n"
    "        条目改回原名;已被改动的条目和原名已被占用的条目保持不动,并一一列出\n"
    "  --dry-run            只列出将恢复的名称(现名 -> 原名),不改名\n"
    "--help     显示本说明\n"
    "--version  显示版本号\n"
    "\n"
    "输出:\n"
    "  控制台中显示每个字符;输出重定向到文件或管道时,写入的是 UTF-8 编码的文本\n"
    "\n"
    "退出状态:\n"
    "  0  完成;verify: 分割文件完好;repair: 已重建或无需修复;undo: 全部恢复\n"
    "  1  被拒绝或失败,并说明原因;verify、merge: 发现问题;repair: 无法修复;undo: 有未恢复的名称\n"
    "  2  用法错误\n";

const char kAskYesNo[] = " [y/N] ";
const char kAnsweredYes[] = " [y/N] y (--yes)\n";
const char kAnsweredNo[] = " [y/N] n (没有终端可以回答)\n";
const char kOutputLost[] = "无法写出全部输出(磁盘已满或输出已关闭)。";

const char kSeries[] = "原文件: %1\n份数: %2\n分块大小: %3 字节\n总大小: %4 字节\n";
const char kMissingIndex[] = "缺少序号为 %1 的分割文件";
const char kMissingIndexes[] = "缺少序号为 %1 到 %2 的分割文件";
const char kDuplicateIndex[] = "%1: 序号 %2 重复";
const char kIndexOutside[] = "%1: 序号 %2 超出份数 %3";
const char kCountDiffers[] = "%1: 份数为 %2,应为 %3";
const char kChunkSizeDiffers[] = "%1: 分块大小为 %2,应为 %3";
const char kDataSizeDiffers[] = "%1: 数据大小为 %2 字节,应等于分块大小 %3 字节";
const char kLastDataSizeDiffers[] = "%1: 最后一块的数据大小为 %2 字节,应为 1 到 %3 字节";
const char kPieceShorter[] = "%1: 文件长 %2 字节,比文件头所说的 %3 字节短";
const char kPieceLonger[] = "%1: 文件长 %2 字节,比文件头所说的 %3 字节长";

const char kNoStateFolder[] =
    "没有保存改名记录的文件夹(XDG_STATE_HOME、HOME 或 LOCALAPPDATA 都未设置),没有改名。";
const char kNoJournal[] = "%1 中没有改名记录,没有可撤销的改名。";
const char kJournalDamaged[] = "改名记录 %1 的第 %2 行已损坏,没有恢复任何名称。";
const char kJournalFirstFormat[] =
    "改名记录 %1 是旧版本的格式,不能确认其中的条目,没有恢复任何名称。";
const char kJournalOtherFolder[] =
    "改名记录 %1 所记的目录已不是 %2(目录已被删除重建,或链接已指向别处),没有恢复任何名称。";
const char kEntryChanged[] = "%1: 此名称下已不是改名时的条目,保持不动";
const char kOldNameTaken[] = "%1: 原名 %2 已被占用,保持不动";
const char kRestored[] = "已恢复 %1 个名称。";
const char kPartlyRestored[] = "已恢复 %1 个名称,%2 个未恢复。";
const char kWouldRestore[] = "可恢复 %1 个名称,%2 个不能恢复(--dry-run,没有改名)。";

}  // namespace cli_text
