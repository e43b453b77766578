#include "ui/dock_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "gui/box_printer.h"

namespace kestrine {
namespace {

struct DockCase {
    const char* name;
    Box area;
    std::vector<DockItem> items;
    std::vector<Box> expected;
};

TEST(DockLayout, PlacesStripsInOrderAndFillsTheRest) {
    const DockCase cases[] = {
        {"window: status bar at the bottom, pages fill",
         {0, 0, 680, 457},
         {{Dock::Bottom, 19}, {Dock::Fill, 0}},
         {{0, 438, 680, 19}, {0, 0, 680, 438}}},
        {"search page: group, splitter, list",
         {10, 10, 600, 300},
         {{Dock::Top, 84}, {Dock::Top, 3}, {Dock::Fill, 0}},
         {{10, 10, 600, 84}, {10, 94, 600, 3}, {10, 97, 600, 213}}},
        {"browser panel: host list, splitter, folder view",
         {0, 0, 500, 200},
         {{Dock::Left, 215}, {Dock::Left, 6}, {Dock::Fill, 0}},
         {{0, 0, 215, 200}, {215, 0, 6, 200}, {221, 0, 279, 200}}},
        {"right strip",
         {0, 0, 100, 50},
         {{Dock::Right, 30}, {Dock::Fill, 0}},
         {{70, 0, 30, 50}, {0, 0, 70, 50}}},
        {"strips shrink when the area runs out, the fill gets nothing",
         {0, 0, 100, 50},
         {{Dock::Top, 40}, {Dock::Top, 30}, {Dock::Fill, 0}},
         {{0, 0, 100, 40}, {0, 40, 100, 10}, {0, 50, 100, 0}}},
        {"negative sizes count as zero",
         {0, 0, -5, 20},
         {{Dock::Left, -3}, {Dock::Fill, 0}},
         {{0, 0, 0, 20}, {0, 0, 0, 20}}},
    };
    for (const DockCase& c : cases) {
        EXPECT_EQ(DockLayout(c.area, c.items), c.expected) << c.name;
    }
}

TEST(DockLayout, InsetNeverGoesNegative) {
    EXPECT_EQ(Inset(Box{0, 0, 100, 60}, 10), (Box{10, 10, 80, 40}));
    EXPECT_EQ(Inset(Box{0, 0, 8, 30}, 5), (Box{5, 5, 0, 20}));
}

}  // namespace
}  // namespace kestrine
