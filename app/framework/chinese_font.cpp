#include "app/framework/chinese_font.h"

#include <cwchar>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

bool SystemShowsChinese() {
    return ::GetACP() == 936;
}

using FontKey = std::tuple<LONG, LONG, LONG>;  // height, width, weight

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    // Names with "@" are the same faces turned for vertical writing.
    if (font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(font->lfFaceName);
    }
    return 1;
}

// A face the mapper really gives, with glyphs for Latin letters and Chinese alike: some
// Chinese fonts hold no Latin letters and would show "MB" as boxes.
bool ShowsLatinAndChinese(HDC dc, const std::wstring& face) {
    LOGFONTW look = {};
    look.lfCharSet = GB2312_CHARSET;
    std::wcsncpy(look.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&look);
    HGDIOBJ previous = ::SelectObject(dc, font);
    wchar_t given[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, given);
    WORD glyphs[2] = {};
    const bool shows =
        face == given &&
        ::GetGlyphIndicesW(dc, L"M\x4E2D", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
        glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    return shows;
}

// The Chinese fonts Windows ships come first; then any the system has.
std::wstring ChineseFace() {
    std::vector<std::wstring> faces = {L"SimSun", L"Microsoft YaHei", L"NSimSun"};
    HDC dc = ::GetDC(nullptr);
    LOGFONTW wanted = {};
    wanted.lfCharSet = GB2312_CHARSET;
    ::EnumFontFamiliesExW(dc, &wanted, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    std::wstring chosen = faces.front();
    for (const std::wstring& face : faces) {
        if (!ShowsLatinAndChinese(dc, face)) continue;
        chosen = face;
        break;
    }
    ::ReleaseDC(nullptr, dc);
    return chosen;
}

}  // namespace

HFONT ChineseFontLike(HFONT font) {
    if (SystemShowsChinese()) return nullptr;
    LOGFONTW look = {};
    if (!font) font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    if (!::GetObjectW(font, sizeof(look), &look)) return nullptr;
    // One font per size for the whole run: controls keep a font handle, never a copy.
    static std::map<FontKey, HFONT> made;
    const FontKey key(look.lfHeight, look.lfWidth, look.lfWeight);
    auto found = made.find(key);
    if (found != made.end()) return found->second;
    look.lfCharSet = GB2312_CHARSET;
    look.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    static const std::wstring face = ChineseFace();
    std::wcsncpy(look.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT chinese = ::CreateFontIndirectW(&look);
    made[key] = chinese;
    return chinese;
}

void UseChineseFontWhereNeeded(HWND window) {
    if (SystemShowsChinese() || !window) return;
    auto own = [](HWND w) { return reinterpret_cast<HFONT>(::SendMessageW(w, WM_GETFONT, 0, 0)); };
    if (HFONT chinese = ChineseFontLike(own(window))) {
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(chinese), FALSE);
    }
    for (HWND child = ::GetWindow(window, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        HFONT chinese = ChineseFontLike(own(child));
        if (chinese) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(chinese), TRUE);
    }
}
