#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace kestrine {

// The status bar at the bottom of the window, with fixed-width panels.
class StatusBar {
  public:
    static constexpr int kDesignHeight = 19;

    void Create(HWND parent, int id);
    HWND Handle() const { return handle_; }

    // Panel widths at 96 DPI; each panel's right edge is the sum of the widths up to it.
    void SetPanelWidths(std::span<const int> widths, unsigned dpi);
    std::vector<int> PanelWidths() const;

    void SetText(int panel, const std::u16string& text);
    std::u16string Text(int panel) const;

  private:
    HWND handle_ = nullptr;
};

// The widths of the status bar's panels, numbered 0 to 4 from the left.
inline constexpr int kStatusPanelWidths[] = {250, 160, 50, 50, 50};

}  // namespace kestrine
