#include "ui/dock_layout.h"

#include <algorithm>

namespace kestrine {

std::vector<Box> DockLayout(Box area, std::span<const DockItem> items) {
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    Box rest{area.left, area.top, std::max(area.width, 0), std::max(area.height, 0)};
    for (const DockItem& item : items) {
        const int size = std::max(item.size, 0);
        Box box = rest;
        switch (item.dock) {
            case Dock::Top:
                box.height = std::min(size, rest.height);
                rest.top += box.height;
                rest.height -= box.height;
                break;
            case Dock::Bottom:
                box.height = std::min(size, rest.height);
                box.top = rest.top + rest.height - box.height;
                rest.height -= box.height;
                break;
            case Dock::Left:
                box.width = std::min(size, rest.width);
                rest.left += box.width;
                rest.width -= box.width;
                break;
            case Dock::Right:
                box.width = std::min(size, rest.width);
                box.left = rest.left + rest.width - box.width;
                rest.width -= box.width;
                break;
            case Dock::Fill:
                break;
        }
        boxes.push_back(box);
    }
    return boxes;
}

Box Inset(Box box, int border) {
    const int width = std::max(box.width - 2 * border, 0);
    const int height = std::max(box.height - 2 * border, 0);
    return Box{box.left + border, box.top + border, width, height};
}

}  // namespace kestrine
