#include "cli/cli_texts.h"

namespace cli_text {

const char kUsage[] =
    "用法:\n"
    "  quillet-cli split SOURCE [--size MB | --parts N] [--into FOLDER] [--yes]\n"
    "  quillet-cli merge PIECE OUTPUT\n"
    "  quillet-cli rename FOLDER (--sequence BASE [--increment N] [--number-first] | --extension "
    "EXT | --replace FIND WITH) [--folders]\n"
    "  quillet-cli --help\n"
    "\n"
    "split  把 SOURCE 分割为 .spt 分割文件\n"
    "  --size MB      每块的大小,1 到 700 MB,默认 2\n"
    "  --parts N      分割为 N 等份\n"
    "  --into FOLDER  存放分割文件的文件夹,默认为原文件旁以其名称命名的文件夹\n"
    "  --yes          文件夹已存在时直接使用,不再询问\n"
    "merge  把 PIECE 所在文件夹中的整组分割文件合并为 OUTPUT\n"
    "rename 按所选的一种规则重命名 FOLDER 中的条目\n"
    "\n"
    "退出状态: 0 完成, 1 被拒绝或失败, 2 用法错误\n";

const char kAskYesNo[] = " [y/N] ";
const char kAnsweredYes[] = " [y/N] y (--yes)\n";
const char kAnsweredNo[] = " [y/N] n (没有终端可以回答)\n";

}  // namespace cli_text
