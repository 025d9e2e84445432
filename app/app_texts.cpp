#include "app/app_texts.h"

namespace app_text {

const char kAlreadyRunning[] = "Quillet 已运行!";
const char kSheetTitle[] = "Quillet V1.6(免费版)";
const char kExitPage[] = "http://www.example.com/quillet/download.htm";
const char kRunBlocksSessionEnd[] = "正在分割或合并文件,结束会截断文件,请等它完成。";

}  // namespace app_text
