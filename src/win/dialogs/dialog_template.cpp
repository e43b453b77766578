#include "dialogs/dialog_template.h"

namespace kestrine {

DialogTemplate::DialogTemplate(DWORD style, std::u16string_view caption, short width, short height,
                               std::u16string_view fontName, WORD pointSize) {
    AddDword(style | DS_SETFONT);
    AddDword(0);  // extended style
    AddWord(0);   // no items: the controls are made in code
    AddWord(0);   // x and y: the dialog centres itself once it is built
    AddWord(0);
    AddWord(static_cast<WORD>(width));
    AddWord(static_cast<WORD>(height));
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(caption);
    AddWord(pointSize);
    AddText(fontName);
}

void DialogTemplate::AddDword(DWORD value) {
    AddWord(LOWORD(value));
    AddWord(HIWORD(value));
}

void DialogTemplate::AddText(std::u16string_view text) {
    for (char16_t c : text) {
        // A NUL would end the text early and shift everything after it.
        AddWord(c == u'\0' ? u' ' : c);
    }
    AddWord(0);
}

}  // namespace kestrine
