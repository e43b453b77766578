#include "ui/file_drop_source.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>

#include "ui/com_object.h"

namespace kestrine {

namespace {

bool IsFileDrop(const FORMATETC& format) {
    return format.cfFormat == CF_HDROP && format.dwAspect == DVASPECT_CONTENT &&
           (format.tymed & TYMED_HGLOBAL) != 0;
}

// A DROPFILES block: the header, then the wide path, then an empty name ending the list.
HGLOBAL FileDropBlock(const std::u16string& path) {
    const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(char16_t);
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) {
        return nullptr;
    }
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    if (header == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<char16_t*>(header + 1);
    std::copy(path.begin(), path.end(), names);  // the two NULs are zeroed already
    GlobalUnlock(block);
    return block;
}

class FileDropData final : public RefCounted<IDataObject> {
  public:
    explicit FileDropData(std::u16string path) : path_(std::move(path)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (format == nullptr || medium == nullptr) {
            return E_INVALIDARG;
        }
        if (!IsFileDrop(*format)) {
            return DV_E_FORMATETC;
        }
        // A fresh block each time: the caller frees it with ReleaseStgMedium.
        const HGLOBAL block = FileDropBlock(path_);
        if (block == nullptr) {
            return E_OUTOFMEMORY;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format != nullptr && IsFileDrop(*format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) {
            out->ptd = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (formats == nullptr) {
            return E_POINTER;
        }
        *formats = nullptr;
        if (direction != DATADIR_GET) {
            return E_NOTIMPL;
        }
        // Some drop targets list the formats before they ask for one.
        FORMATETC fileDrop{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &fileDrop, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    const std::u16string path_;
};

class LeftButtonDropSource final : public RefCounted<IDropSource> {
  public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
        if (escapePressed) {
            return DRAGDROP_S_CANCEL;
        }
        return (keyState & MK_LBUTTON) == 0 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

ComPtr<IDataObject> CreateFileDropData(std::u16string path) {
    return MakeCom<FileDropData, IDataObject>(std::move(path));
}

void DragFileOut(const std::u16string& path) {
    const ComPtr<IDataObject> data = CreateFileDropData(path);
    const ComPtr<IDropSource> source = MakeCom<LeftButtonDropSource, IDropSource>();
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
}

}  // namespace kestrine
