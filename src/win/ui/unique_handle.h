#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kestrine {

// Owns one Win32 handle and releases it with Close when it goes out of scope.
template <typename Handle, void (*Close)(Handle)>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

namespace detail {
inline void CloseFont(HFONT font) {
    DeleteObject(font);
}
inline void CloseBitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}
inline void CloseImageList(HIMAGELIST list) {
    ImageList_Destroy(list);
}
inline void CloseMenu(HMENU menu) {
    DestroyMenu(menu);
}
inline void CloseAccelerators(HACCEL table) {
    DestroyAcceleratorTable(table);
}
inline void CloseIcon(HICON icon) {
    DestroyIcon(icon);
}
inline void CloseKernelHandle(HANDLE handle) {
    // CreateFile and CreateNamedPipe report failure as INVALID_HANDLE_VALUE, not null.
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
}
}  // namespace detail

using UniqueFont = UniqueHandle<HFONT, detail::CloseFont>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::CloseBitmap>;
using UniqueImageList = UniqueHandle<HIMAGELIST, detail::CloseImageList>;
using UniqueMenu = UniqueHandle<HMENU, detail::CloseMenu>;
using UniqueAccelerators = UniqueHandle<HACCEL, detail::CloseAccelerators>;
using UniqueIcon = UniqueHandle<HICON, detail::CloseIcon>;
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;

}  // namespace kestrine
