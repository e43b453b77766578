#pragma once

#include <unknwn.h>

#include <utility>

namespace kestrine {

// Owns one reference to a COM interface and releases it when it goes.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(Interface* pointer) {
        ComPtr owned;
        owned.pointer_ = pointer;
        return owned;
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the out parameter of a creating call; drops what was held.
    Interface** Put() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace kestrine
