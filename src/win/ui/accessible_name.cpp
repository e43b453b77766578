#include "ui/accessible_name.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <utility>

#include "ui/com_object.h"
#include "win_text.h"

namespace kestrine {

namespace {

// The system's accessible object of a control with another name: every call but the name of
// the control itself goes to the system's object, so role, state, location and navigation
// stay what they were.
class NamedAccessible final : public RefCounted<IAccessible, IDispatch> {
  public:
    NamedAccessible(ComPtr<IAccessible> standard, const std::u16string& name)
        : standard_(std::move(standard)), name_(name) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        const HRESULT own = RefCounted::QueryInterface(iid, object);
        // IEnumVARIANT, IOleWindow and the like are the system object's.
        return own == E_NOINTERFACE ? standard_->QueryInterface(iid, object) : own;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) {
            return standard_->get_accName(child, name);
        }
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = SysAllocStringLen(AsWide(name_), static_cast<UINT>(name_.size()));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                                 argumentError);
    }

    // IAccessible, apart from the name
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    const ComPtr<IAccessible> standard_;
    const std::u16string name_;
};

constexpr UINT_PTR kSubclassId = 1;

// The name lives with the subclass: its reference data owns it until the window goes.
LRESULT CALLBACK NamedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data) {
    const auto* name = reinterpret_cast<const std::u16string*>(data);
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                ComPtr<IAccessible> standard;
                if (SUCCEEDED(
                        CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(standard.Put())))) {
                    const ComPtr<IAccessible> named =
                        MakeCom<NamedAccessible, IAccessible>(std::move(standard), *name);
                    return LresultFromObject(__uuidof(IAccessible), wParam, named.get());
                }
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, &NamedControlProcedure, id);
            std::unique_ptr<const std::u16string>{name}.reset();
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, std::u16string name) {
    auto owned = std::make_unique<const std::u16string>(std::move(name));
    if (SetWindowSubclass(control, &NamedControlProcedure, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(owned.get()))) {
        owned.release();
    }
}

}  // namespace kestrine
