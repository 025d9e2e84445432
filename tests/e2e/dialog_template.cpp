#include "dialog_template.h"

namespace e2e {
namespace {

class Reader {
  public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }
    WORD Word() { return static_cast<WORD>(Bytes(2)); }
    DWORD Dword() { return static_cast<DWORD>(Bytes(4)); }
    BYTE Byte() { return static_cast<BYTE>(Bytes(1)); }
    short Short() { return static_cast<short>(Word()); }

    std::wstring String() {
        std::wstring text;
        for (WORD c; m_ok && (c = Word()) != 0;) text += static_cast<wchar_t>(c);
        return text;
    }
    // A string or, after 0xFFFF, an ordinal written as "#n".
    std::wstring StringOrOrdinal() {
        if (m_pos + 2 <= m_size && m_data[m_pos] == 0xFF && m_data[m_pos + 1] == 0xFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void Skip(size_t n) { m_pos += n; }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t(3); }

  private:
    unsigned long Bytes(int n) {
        if (m_pos + n > m_size) {
            m_ok = false;
            return 0;
        }
        unsigned long v = 0;
        for (int i = 0; i < n; ++i) v |= static_cast<unsigned long>(m_data[m_pos + i]) << (8 * i);
        m_pos += n;
        return v;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

TemplateItem ReadItem(Reader& in) {
    TemplateItem item;
    in.AlignDword();
    in.Dword();  // help id
    in.Dword();  // extended style
    item.style = in.Dword();
    item.x = in.Short(), item.y = in.Short(), item.cx = in.Short(), item.cy = in.Short();
    item.id = in.Dword();
    item.class_name = in.StringOrOrdinal();
    item.title = in.StringOrOrdinal();
    in.Skip(in.Word());  // creation data
    return item;
}

}  // namespace

const TemplateItem* DialogTemplate::Item(DWORD id) const {
    for (const TemplateItem& item : items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

DialogTemplate ReadDialogTemplate(HMODULE module, int template_id) {
    DialogTemplate dialog;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(template_id), MAKEINTRESOURCEW(5));
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    if (!loaded) return dialog;
    Reader in(static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, resource));
    if (in.Word() != 1 || in.Word() != 0xFFFF) return dialog;  // only the extended form
    in.Dword();                                                // help id
    in.Dword();                                                // extended style
    dialog.style = in.Dword();
    const WORD count = in.Word();
    in.Short(), in.Short();
    dialog.cx = in.Short(), dialog.cy = in.Short();
    in.StringOrOrdinal();  // menu
    in.StringOrOrdinal();  // class
    dialog.caption = in.String();
    if (dialog.style & DS_SETFONT) {
        dialog.font_points = in.Word();
        in.Word(), in.Byte(), in.Byte();  // weight, italic, character set
        dialog.font = in.String();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) dialog.items.push_back(ReadItem(in));
    dialog.found = in.ok();
    return dialog;
}

namespace {

// The child showing `title`, when exactly one does.
HWND OnlyChildTitled(HWND dialog, const std::wstring& title) {
    HWND found = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = L"";
        GetWindowTextW(child, text, 256);
        if (title != text) continue;
        if (found) return nullptr;
        found = child;
    }
    return found;
}

}  // namespace

DialogUnits MeasureUnits(HWND dialog, const DialogTemplate& t) {
    DialogUnits units;
    int right = 0, bottom = 0;
    for (const TemplateItem& item : t.items) {
        HWND shown = item.title.empty() ? nullptr : OnlyChildTitled(dialog, item.title);
        if (!shown) continue;
        RECT r{};
        GetWindowRect(shown, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        // Far from the origin, the rounding of each conversion weighs least.
        if (item.x + item.cx > right) {
            right = item.x + item.cx;
            units.x = (r.right * 4 + right / 2) / right;
        }
        if (item.y + item.cy > bottom) {
            bottom = item.y + item.cy;
            units.y = (r.bottom * 8 + bottom / 2) / bottom;
        }
    }
    return units;
}

DialogUnits MeasureUnits(HWND dialog, const std::wstring& exe, int template_id) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return DialogUnits();
    const DialogUnits units = MeasureUnits(dialog, ReadDialogTemplate(module, template_id));
    FreeLibrary(module);
    return units;
}

}  // namespace e2e
