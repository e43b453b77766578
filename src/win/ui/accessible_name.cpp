#include "ui/accessible_name.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "ui/com_ptr.h"
#include "win_text.h"

namespace kestrine {

namespace {

// From oleacc.h, spelled out here: the import libraries that define them also define
// IID_IAccessible, and a program that links both could not be built.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {  // PROPID_ACC_NAME
    0x608d3df8,
    0x8128,
    0x4aa7,
    {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

ComPtr<IAccPropServices> PropertyServices() {
    ComPtr<IAccPropServices> services;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void**>(services.Put())))) {
        services.Reset();
    }
    return services;
}

// A window's annotations outlive it unless they are cleared, and a later window may get the
// same handle.
LRESULT CALLBACK ClearOnDestroy(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        if (const ComPtr<IAccPropServices> services = PropertyServices()) {
            MSAAPROPID property = kNameProperty;
            services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     &property, 1);
        }
        RemoveWindowSubclass(control, &ClearOnDestroy, id);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool SetAccessibleName(HWND control, const std::u16string& name) {
    const ComPtr<IAccPropServices> services = PropertyServices();
    if (!services || FAILED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                                     CHILDID_SELF, kNameProperty, AsWide(name)))) {
        return false;
    }
    SetWindowSubclass(control, &ClearOnDestroy, 1, 0);
    return true;
}

}  // namespace kestrine
