#include "dialogs/dialog_template.h"

namespace kestrine {

DialogTemplate::DialogTemplate(DWORD style, std::u16string_view caption, short width, short height,
                               std::u16string_view fontName, WORD pointSize) {
    AddDword(style | DS_SETFONT);
    AddDword(0);  // extended style
    countIndex_ = words_.size();
    AddWord(0);  // item count, raised by AddItem
    AddWord(0);  // x and y: DS_CENTER or the owner decides
    AddWord(0);
    AddWord(static_cast<WORD>(width));
    AddWord(static_cast<WORD>(height));
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(caption);
    AddWord(pointSize);
    AddText(fontName);
}

void DialogTemplate::AddItem(WORD className, DWORD style, DWORD exStyle, short x, short y,
                             short width, short height, WORD id, std::u16string_view text) {
    AlignToDword();
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(exStyle);
    AddWord(static_cast<WORD>(x));
    AddWord(static_cast<WORD>(y));
    AddWord(static_cast<WORD>(width));
    AddWord(static_cast<WORD>(height));
    AddWord(id);
    AddWord(0xFFFF);  // the class is given as a predefined atom
    AddWord(className);
    AddText(text);
    AddWord(0);  // no creation data
    ++words_[countIndex_];
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

void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0) {
        AddWord(0);
    }
}

}  // namespace kestrine
