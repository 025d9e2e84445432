#include "cli/check_texts.h"

namespace check_text {

const char kChecked[] = "内容: 各分割文件与 %1 相符\n";
const char kNotChecked[] = "内容: 未检查(没有校验文件 %1)\n";
const char kBadLine[] = "%1: 第 %2 行无法读取,已忽略";
const char kDiffers[] = "%1: 内容与 %2 中的校验值不符";
const char kNotListed[] = "%1: %2 中没有它的校验值,内容未检查";
const char kOutputNotOriginal[] = "%1 不是原文件!";
const char kOutputIsOriginal[] = "内容: %1 与 %2 中原文件的校验值相符\n";
const char kAllChecked[] = "内容: 各分割文件与 %2 相符,%1 与原文件的校验值相符\n";
const char kUnreadable[] = "%1: 校验文件无法读取或过大,未检查,未做任何事";
const char kWholeNotListed[] = "%1 中没有原文件的校验值,合并结果未整体检查";
const char kNoChecksumFile[] = "%1: 这组分割文件没有校验文件 %2,无法修复";
const char kNothingToRepair[] = "各分割文件与 %1 相符,无需修复\n";
const char kRebuilt[] = "已重建 %1,与 %2 中的校验值相符\n";
const char kLost[] = "%1: 缺失或已损坏";
const char kTooMany[] = "一个备用块无法重建 %1 个分割文件,未写入任何文件";
const char kSpareMissing[] = "缺少备用块 %1,无法重建 %2";
const char kSpareDamaged[] = "备用块 %1 已损坏";
const char kSpareDamagedNotUsed[] = "备用块 %1 已损坏,不予使用;无法重建 %2";
const char kRebuiltDiffers[] = "重建的 %1 与校验值不符,未写入";
const char kPieceNewer[] = "%1 比 %2 新,校验值可能已过时,未替换它";

}  // namespace check_text
