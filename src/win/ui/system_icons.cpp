#include "ui/system_icons.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace kestrine {

int SystemIconIndex(std::u16string_view name, std::uint32_t attributes) {
    const std::u16string path(name);  // the shell wants a terminated string
    SHFILEINFOW info{};
    const DWORD_PTR found = SHGetFileInfoW(
        reinterpret_cast<const wchar_t*>(path.c_str()), attributes, &info, sizeof(info),
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return found == 0 ? -1 : info.iIcon;
}

}  // namespace kestrine
