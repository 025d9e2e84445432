#include "about/about_links.h"

#include "app/app_texts.h"

namespace about_links {

// The home page link shows the site and opens its index document.
const Link kLinks[kCount] = {
    {75, "http://www.example.com/quillet/", "http://www.example.com/quillet/index.htm"},
    {100, "quillet-team@example.com", "mailto:quillet-team@example.com"},
    {160, "Fendlow 文件夹对比 V2.3 (免费)", "http://soft.example.org/down/fendlow.htm"},
    {190, "Mirabou 图片批量转换 V3.1 (免费)", "http://soft.example.org/down/mirabou.htm"},
    // The last link and the page shown when the program ends are one page.
    {220, "Mirabou 图片批量转换 V3.1 便携版", app_text::kExitPage},
};

}  // namespace about_links
