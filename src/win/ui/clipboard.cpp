#include "ui/clipboard.h"

#include <algorithm>
#include <cstring>

#include "base/unique_handle.h"

namespace kestrine {

namespace {

void FreeGlobal(HGLOBAL block) {
    GlobalFree(block);
}
using UniqueGlobal = UniqueHandle<HGLOBAL, FreeGlobal>;

// The clipboard is one per desktop: open for as short a time as a scope.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

UniqueGlobal TextBlock(std::u16string_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) {
        return block;
    }
    auto* target = static_cast<char16_t*>(GlobalLock(block.get()));
    if (target == nullptr) {
        return UniqueGlobal();
    }
    std::copy(text.begin(), text.end(), target);
    target[text.size()] = u'\0';
    GlobalUnlock(block.get());
    return block;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, std::u16string_view text) {
    UniqueGlobal block = TextBlock(text);
    if (!block) {
        return false;
    }
    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    if (SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) {
        return false;
    }
    block.release();  // the clipboard owns it now
    return true;
}

void CopyToClipboardOrSay(DesktopServices& desktop, HWND owner, std::u16string_view text) {
    if (!CopyTextToClipboard(owner, text)) {
        desktop.ShowMessage(owner, u"Unable to copy to the clipboard", MessageIcon::Error);
    }
}

}  // namespace kestrine
