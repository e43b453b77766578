#include "ui/csv_file.h"

#include <windows.h>

#include <algorithm>

#include "common/failure.h"
#include "win_text.h"

namespace kestrine {
namespace {

[[noreturn]] void ThrowLastError() {
    const DWORD code = GetLastError();
    std::u16string text = SystemMessageText(code);
    throw Failure(text.empty() ? u"A call to an OS function failed" : std::move(text));
}

}  // namespace

FileByteSink::FileByteSink(const std::u16string& path)
    : file_(CreateFileW(AsWide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!file_) {
        ThrowLastError();
    }
}

void FileByteSink::Write(std::span<const std::uint8_t> bytes) {
    // WriteFile takes at most a DWORD's worth at a time.
    constexpr std::size_t kChunk = 1u << 30;
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file_.get(), bytes.data(), size, &written, nullptr)) {
            ThrowLastError();
        }
        if (written == 0) {
            throw Failure(u"A call to an OS function failed");
        }
        bytes = bytes.subspan(written);
    }
}

void FileByteSink::Close() {
    // Closed here rather than by the owner, so that a failure to close is reported.
    const HANDLE file = file_.release();
    if (file != UniqueKernelHandle::InvalidValue() && !CloseHandle(file)) {
        ThrowLastError();
    }
}

std::u16string UserListSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, 8) > 0 &&
        separator[0] != L'\0') {
        return std::u16string(1, static_cast<char16_t>(separator[0]));
    }
    return u",";
}

}  // namespace kestrine
