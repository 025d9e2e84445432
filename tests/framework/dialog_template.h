// Dialog templates built in memory, so the tests need no resource script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DialogTemplate {
  public:
    DialogTemplate(DWORD style, const std::string& caption, short width, short height);

    void AddEdit(int id, short x, short y, short width, short height);
    void AddButton(int id, const std::string& text, short x, short y, short width, short height);

    // Valid until the next Add.
    const DLGTEMPLATE* Get();

  private:
    void AddItem(DWORD style, int id, WORD classAtom, const std::string& text, short x, short y,
                 short width, short height);
    void AddWord(WORD w) { m_words.push_back(w); }
    void AddDword(DWORD d);
    void AddText(const std::string& text);  // ASCII only
    void AlignToDword();

    std::vector<WORD> m_words;
    std::vector<DWORD> m_aligned;
};
