#pragma once

#include <span>
#include <vector>

namespace kestrine {

// Docking as the window's containers use it: each item in order takes a strip from the top,
// bottom, left or right of what is left of the area, and a Fill item takes the rest.
enum class Dock { Top, Bottom, Left, Right, Fill };

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Box&, const Box&) = default;
};

struct DockItem {
    Dock dock = Dock::Fill;
    int size = 0;  // height for Top/Bottom, width for Left/Right; unused for Fill
};

// Boxes in item order. Strips shrink when the area runs out; no box has a negative size.
std::vector<Box> DockLayout(Box area, std::span<const DockItem> items);

// Shrinks a box by the same border on every side.
Box Inset(Box box, int border);

}  // namespace kestrine
