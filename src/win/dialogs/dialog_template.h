#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace kestrine {

// Writes the frame of a dialog as an in-memory template (DLGTEMPLATE with DS_SETFONT and no
// items), so a dialog needs no resource script; ModalDialog builds the controls in code. The
// size is in dialog units.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, std::u16string_view caption, short width, short height,
                   std::u16string_view fontName, WORD pointSize);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void AddWord(WORD value) { words_.push_back(value); }
    void AddDword(DWORD value);
    void AddText(std::u16string_view text);

    std::vector<WORD> words_;  // the heap block is aligned well beyond the DWORD the API needs
};

}  // namespace kestrine
