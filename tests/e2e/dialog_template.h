// Reads an extended dialog template from a module's resources, to check what the resource
// compiler really stored.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct TemplateItem {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring class_name;  // "#130" for an ordinal class (0x82 is the static class)
    std::wstring title;       // "#128" for an ordinal title such as an icon id
};

struct DialogTemplate {
    bool found = false;
    DWORD style = 0;
    int cx = 0, cy = 0;
    std::wstring caption;
    int font_points = 0;
    std::wstring font;
    std::vector<TemplateItem> items;

    const TemplateItem* Item(DWORD id) const;
};

DialogTemplate ReadDialogTemplate(HMODULE module, int template_id);

// The dialog base units a live dialog was laid out with, measured from where the system put
// the items of its template that reach farthest right and down. Pixel figures made for the
// original units (6 x 12) scale by them.
struct DialogUnits {
    int x = 0, y = 0;
    int X(int px) const { return MulDiv(px, x, 6); }
    int Y(int py) const { return MulDiv(py, y, 12); }
    RECT Scaled(const RECT& r) const { return {X(r.left), Y(r.top), X(r.right), Y(r.bottom)}; }
};
DialogUnits MeasureUnits(HWND dialog, const DialogTemplate& t);
// The same with the template read from the program file `exe`.
DialogUnits MeasureUnits(HWND dialog, const std::wstring& exe, int template_id);

}  // namespace e2e
