#pragma once

#include <unknwn.h>

#include <atomic>
#include <memory>
#include <utility>

#include "ui/com_ptr.h"

namespace kestrine {

// The reference counting of our COM objects: each frees itself on its last Release, the one
// place where this code deletes what it allocated. QueryInterface answers for IUnknown,
// Interface and the interfaces Interface derives from that are listed in Bases.
template <typename Interface, typename... Bases>
class RefCounted : public Interface {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(Interface)) ||
            (IsEqualIID(iid, __uuidof(Bases)) || ...)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    virtual ~RefCounted() = default;

  private:
    std::atomic<ULONG> references_{1};
};

template <typename Object, typename Interface, typename... Arguments>
ComPtr<Interface> MakeCom(Arguments&&... arguments) {
    return ComPtr<Interface>::Adopt(
        std::make_unique<Object>(std::forward<Arguments>(arguments)...).release());
}

}  // namespace kestrine
