#include "framework/dialog_template.h"

#include <cstring>

namespace {

constexpr size_t kItemCountOffset = 4;  // in words: after style and extended style
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, const std::string& caption, short width, short height) {
    AddDword(style | DS_SETFONT);
    AddDword(0);
    AddWord(0);  // item count, raised by every AddItem
    for (short v : {short(0), short(0), width, height}) AddWord(static_cast<WORD>(v));
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(caption);
    AddWord(8);
    AddText("MS Sans Serif");
}

void DialogTemplate::AddEdit(int id, short x, short y, short width, short height) {
    AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, id, kEditAtom, "", x,
            y, width, height);
}

void DialogTemplate::AddButton(int id, const std::string& text, short x, short y, short width,
                               short height) {
    AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, id, kButtonAtom, text, x, y, width,
            height);
}

const DLGTEMPLATE* DialogTemplate::Get() {
    m_aligned.assign((m_words.size() + 1) / 2, 0);
    std::memcpy(m_aligned.data(), m_words.data(), m_words.size() * sizeof(WORD));
    return reinterpret_cast<const DLGTEMPLATE*>(m_aligned.data());
}

void DialogTemplate::AddItem(DWORD style, int id, WORD classAtom, const std::string& text, short x,
                             short y, short width, short height) {
    AlignToDword();
    AddDword(style);
    AddDword(0);
    for (short v : {x, y, width, height}) AddWord(static_cast<WORD>(v));
    AddWord(static_cast<WORD>(id));
    AddWord(0xFFFF);
    AddWord(classAtom);
    AddText(text);
    AddWord(0);  // no creation data
    ++m_words[kItemCountOffset];
}

void DialogTemplate::AddDword(DWORD d) {
    AddWord(LOWORD(d));
    AddWord(HIWORD(d));
}

void DialogTemplate::AddText(const std::string& text) {
    for (char c : text) AddWord(static_cast<unsigned char>(c));
    AddWord(0);
}

void DialogTemplate::AlignToDword() {
    if (m_words.size() % 2) AddWord(0);
}
