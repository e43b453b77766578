#pragma once

#include <span>

namespace kestrine {

// A rectangle in screen pixels, right and bottom exclusive, as Win32's RECT.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// A display as the system reports it: all of it, and the part that is not taken by the
// taskbar and other docked bars.
struct MonitorArea {
    ScreenRect bounds;
    ScreenRect work;
};

// Where a window whose frame was remembered at `frame` opens, given the monitors there are now.
// A frame that touches a monitor stays where it is: the user put it there. A frame on none
// (its monitor was unplugged, or the desktop was rearranged) is moved into the work area of
// the nearest monitor, shrunk if it does not fit. That is what Windows itself does with a
// placement that would be off every screen, and it brings the window back at the edge nearest
// to where the user left it rather than somewhere unrelated. Without monitors the frame stays.
ScreenRect OntoVisibleMonitor(const ScreenRect& frame, std::span<const MonitorArea> monitors);

}  // namespace kestrine
