// The About page's five links: what each one shows and what it opens.
#pragma once

namespace about_links {

struct Link {
    int y;  // top of the text, in page pixels
    const char* text;
    const char* address;
};

constexpr int kCount = 5;
constexpr int kLeft = 60;

extern const Link kLinks[kCount];

}  // namespace about_links
