#include "settings/screen_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrine {
namespace {

bool Intersects(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The squared length of the shortest line between two rectangles; 0 when they touch.
std::int64_t SquaredGap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

ScreenRect ClampedInto(const ScreenRect& frame, const ScreenRect& area) {
    const int width = std::min(frame.Width(), area.Width());
    const int height = std::min(frame.Height(), area.Height());
    const int left = std::clamp(frame.left, area.left, area.right - width);
    const int top = std::clamp(frame.top, area.top, area.bottom - height);
    return ScreenRect{left, top, left + width, top + height};
}

}  // namespace

ScreenRect OntoVisibleMonitor(const ScreenRect& frame, std::span<const MonitorArea> monitors) {
    if (monitors.empty() ||
        std::any_of(monitors.begin(), monitors.end(), [&frame](const MonitorArea& monitor) {
            return Intersects(frame, monitor.bounds);
        })) {
        return frame;
    }
    const MonitorArea* nearest = &monitors.front();
    std::int64_t nearestGap = std::numeric_limits<std::int64_t>::max();
    for (const MonitorArea& monitor : monitors) {
        if (const std::int64_t gap = SquaredGap(frame, monitor.bounds); gap < nearestGap) {
            nearest = &monitor;
            nearestGap = gap;
        }
    }
    return ClampedInto(frame, nearest->work);
}

}  // namespace kestrine
