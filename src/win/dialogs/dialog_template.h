#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace kestrine {

// The predefined window-class atoms a dialog template item may name.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;

// Writes an in-memory dialog template (DLGTEMPLATE with DS_SETFONT, then its items), so a
// small dialog needs no resource script. Coordinates are dialog units.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, std::u16string_view caption, short width, short height,
                   std::u16string_view fontName, WORD pointSize);

    // className is one of the predefined atoms above.
    void AddItem(WORD className, DWORD style, DWORD exStyle, short x, short y, short width,
                 short height, WORD id, std::u16string_view text);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void AddWord(WORD value) { words_.push_back(value); }
    void AddDword(DWORD value);
    void AddText(std::u16string_view text);
    void AlignToDword();

    std::vector<WORD> words_;  // the heap block is aligned well beyond the DWORD the API needs
    std::size_t countIndex_ = 0;
};

}  // namespace kestrine
