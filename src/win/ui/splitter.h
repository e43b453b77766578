#pragma once

#include <functional>

#include "ui/window.h"

namespace kestrine {

// A bar the user drags to move the border between two docked controls. It reports where
// its leading edge should go (in its parent's client coordinates); the owner resizes the
// neighbour and lays the controls out again.
class Splitter : public Window {
  public:
    enum class Orientation {
        Horizontal,  // a horizontal bar that moves up and down
        Vertical,    // a vertical bar that moves left and right
    };

    void Create(HWND parent, int id, Orientation orientation, std::function<void(int)> onMove);
    Orientation GetOrientation() const { return orientation_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int AlongAxis(POINT point) const;

    Orientation orientation_ = Orientation::Horizontal;
    std::function<void(int)> onMove_;
    int grabOffset_ = 0;
    bool dragging_ = false;
};

}  // namespace kestrine
