// A page's table of button clicks and their handlers, searched in table order.
#pragma once

// clang-format off
#include <windows.h>
// clang-format on

#include <cstddef>

template <class Page>
struct ClickMapEntry {
    int id;
    void (Page::*handler)();
};

// True when the click was one of the table's, and its handler has run.
template <class Page, size_t N>
bool DispatchClick(Page& page, const ClickMapEntry<Page> (&map)[N], int id, int code) {
    if (code != BN_CLICKED) return false;
    for (const ClickMapEntry<Page>& entry : map) {
        if (entry.id != id) continue;
        (page.*entry.handler)();
        return true;
    }
    return false;
}
