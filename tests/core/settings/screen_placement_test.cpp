#include "settings/screen_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrine {
namespace {

// A 1920 x 1080 primary monitor with the taskbar at the bottom, and a 1280 x 1024 monitor to
// its left, its top 100 pixels higher.
const MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const MonitorArea kLeft{{-1280, -100, 0, 924}, {-1280, -100, 0, 924}};

struct PlacementCase {
    const char* name;
    ScreenRect frame;
    std::vector<MonitorArea> monitors;
    ScreenRect expected;
};

TEST(ScreenPlacementTest, AFrameOnNoMonitorComesBackIntoTheNearestWorkArea) {
    const PlacementCase cases[] = {
        {"on the primary monitor", {100, 80, 800, 600}, {kPrimary, kLeft}, {100, 80, 800, 600}},
        {"on the left monitor",
         {-1000, -50, -300, 500},
         {kPrimary, kLeft},
         {-1000, -50, -300, 500}},
        {"across both", {-300, 100, 400, 600}, {kPrimary, kLeft}, {-300, 100, 400, 600}},
        {"one pixel on screen is the user's choice",
         {1919, 500, 2619, 957},
         {kPrimary},
         {1919, 500, 2619, 957}},
        {"the left monitor is gone", {-1000, 100, -300, 557}, {kPrimary}, {0, 100, 700, 557}},
        {"a monitor to the right is gone",
         {2500, 300, 3200, 757},
         {kPrimary, kLeft},
         {1220, 300, 1920, 757}},
        {"below every monitor, into the work area above the taskbar",
         {500, 1200, 1200, 1657},
         {kPrimary, kLeft},
         {500, 583, 1200, 1040}},
        {"far above the left monitor",
         {-900, -2000, -200, -1543},
         {kPrimary, kLeft},
         {-900, -100, -200, 357}},
        {"larger than the work area it comes back to",
         {3000, 0, 5500, 1500},
         {kPrimary},
         {0, 0, 1920, 1040}},
        {"no monitors reported", {5000, 5000, 5700, 5457}, {}, {5000, 5000, 5700, 5457}},
    };
    for (const PlacementCase& c : cases) {
        EXPECT_EQ(OntoVisibleMonitor(c.frame, c.monitors), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace kestrine
