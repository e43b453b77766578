#pragma once

#include <ostream>

#include "ui/dock_layout.h"

namespace kestrine {

// Readable test failures for boxes.
inline void PrintTo(const Box& box, std::ostream* out) {
    *out << "{" << box.left << ", " << box.top << ", " << box.width << ", " << box.height << "}";
}

}  // namespace kestrine
