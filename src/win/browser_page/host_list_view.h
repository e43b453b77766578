#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "protocol/records.h"
#include "search/value_formatter.h"
#include "ui/reflected_control.h"

namespace kestrine {

class HostListDelegate {
  public:
    virtual void ViewHostSelectItem(int item, bool selected) = 0;

  protected:
    ~HostListDelegate() = default;
};

// The host list (ViewHost): one row per computer of the server, with a green or red square
// for an active or inactive one; reports selection changes to its delegate.
class HostListView : public ReflectedControl {
  public:
    HostListView(const ValueFormatter& formatter, HostListDelegate& delegate);

    HWND Create(HWND parent, int id, unsigned dpi, HIMAGELIST images);
    HWND Handle() const { return list_; }

    void Clear();
    void Append(const HostRecord& host);
    std::int32_t RowId(int row) const;
    std::u16string RowCaption(int row) const;

    LRESULT OnNotify(const NMHDR& header) override;

  private:
    const ValueFormatter& formatter_;
    HostListDelegate& delegate_;
    HWND list_ = nullptr;
};

}  // namespace kestrine
