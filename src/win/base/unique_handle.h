#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace kestrine {

// Owns one Win32 handle and releases it with Close when it goes out of scope. Invalid is
// the value the handle's own API uses for "none" (as an integer, since a pointer constant
// such as INVALID_HANDLE_VALUE cannot be a template argument): null for windows, menus,
// registry keys and GDI objects, -1 (INVALID_HANDLE_VALUE) for files, pipes and searches.
template <typename Handle, void (*Close)(Handle), std::intptr_t Invalid = 0>
class UniqueHandle {
  public:
    static Handle InvalidValue() { return reinterpret_cast<Handle>(Invalid); }

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != InvalidValue(); }
    Handle release() { return std::exchange(handle_, InvalidValue()); }
    void reset(Handle handle = InvalidValue()) {
        if (handle_ != InvalidValue()) {
            Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = InvalidValue();
};

namespace detail {
inline void CloseKernelHandle(HANDLE handle) {
    // APIs that fail with null (CreateEvent, OpenProcess) are checked before wrapping; a null
    // that slips through is still never passed on.
    if (handle != nullptr) {
        CloseHandle(handle);
    }
}
inline void CloseFind(HANDLE find) {
    FindClose(find);
}
inline void CloseKey(HKEY key) {
    RegCloseKey(key);
}
}  // namespace detail

constexpr std::intptr_t kInvalidHandleValue = -1;  // INVALID_HANDLE_VALUE

// Files, pipes, events, processes: what CloseHandle releases. Empty is INVALID_HANDLE_VALUE,
// as CreateFile and CreateNamedPipe report failure.
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle, kInvalidHandleValue>;
// A FindFirstFile search.
using UniqueFindHandle = UniqueHandle<HANDLE, detail::CloseFind, kInvalidHandleValue>;
using UniqueKey = UniqueHandle<HKEY, detail::CloseKey>;

}  // namespace kestrine
