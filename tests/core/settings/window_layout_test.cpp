#include "common/text.h"
#include "settings/design_dpi.h"
#include "settings/memory_settings_store.h"
#include "settings/window_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kestrine {
namespace {

TEST(WindowLayoutTest, AnEmptyStoreRemembersNothing) {
    const MemorySettingsStore store;
    EXPECT_EQ(ReadWindowLayout(store), WindowLayout{});
}

TEST(WindowLayoutTest, WhatIsWrittenReadsBackUnderItsNames) {
    WindowLayout layout;
    layout.WindowLeft = -1200;  // a monitor left of the primary one
    layout.WindowTop = 40;
    layout.ClientWidth = 900;
    layout.ClientHeight = 600;
    layout.Maximized = true;
    layout.ResultColumns = {300, 0, 80, 60, 90};
    layout.HostColumns = {120, 85};
    layout.ContentColumns = {400, 70};
    layout.QueryGroupHeight = 120;
    layout.HostListWidth = 250;
    MemorySettingsStore store;
    WriteWindowLayout(store, layout);
    EXPECT_EQ(ReadWindowLayout(store), layout);
    EXPECT_EQ(store.Read(u"ViewResultsColumn0"), StoredValue::Integer(300));
    EXPECT_EQ(store.Read(u"ViewContentColumn1"), StoredValue::Integer(70));
    EXPECT_EQ(store.Read(u"Maximized"), StoredValue::Integer(1));
    EXPECT_EQ(store.Writes().size(), 16u);
}

TEST(WindowLayoutTest, OnlyPresentValuesAreWritten) {
    WindowLayout layout;
    layout.Maximized = false;
    layout.HostColumns[1] = 50;
    MemorySettingsStore store;
    WriteWindowLayout(store, layout);
    EXPECT_EQ(store.Writes(), (std::vector<std::u16string>{u"Maximized", u"ViewHostColumn1"}));
    EXPECT_EQ(store.Read(u"Maximized"), StoredValue::Integer(0));
}

struct ValueCase {
    const char16_t* name;
    StoredValue stored;
    bool usable;
};

// Each value is judged on its own: one broken value leaves the others as they are.
TEST(WindowLayoutTest, BrokenValuesReadAsMissingOneByOne) {
    const ValueCase cases[] = {
        {u"WindowLeft", StoredValue::Integer(-32767), true},
        {u"WindowLeft", StoredValue::Integer(-32768), false},
        {u"WindowTop", StoredValue::Integer(32767), true},
        {u"WindowTop", StoredValue::Integer(40000), false},
        {u"WindowTop", StoredValue::Text(u"40"), false},  // only we write here, as integers
        {u"ClientWidth", StoredValue::Integer(100), true},
        {u"ClientWidth", StoredValue::Integer(99), false},
        {u"ClientWidth", StoredValue::Integer(-680), false},
        {u"ClientWidth", StoredValue::Integer(16384), true},
        {u"ClientHeight", StoredValue::Integer(16385), false},
        {u"ClientHeight", StoredValue::Integer(0), false},
        {u"Maximized", StoredValue::Integer(0), true},
        {u"Maximized", StoredValue::Integer(2), false},
        {u"Maximized", StoredValue::Integer(-1), false},
        {u"ViewResultsColumn0", StoredValue::Integer(0), true},
        {u"ViewResultsColumn4", StoredValue::Integer(4096), true},
        {u"ViewHostColumn1", StoredValue::Integer(4097), false},
        {u"ViewContentColumn0", StoredValue::Integer(-1), false},
        {u"ViewContentColumn1", StoredValue::Text(u"abc"), false},
        {u"QueryGroupHeight", StoredValue::Integer(30), true},
        {u"QueryGroupHeight", StoredValue::Integer(29), false},
        {u"HostListWidth", StoredValue::Integer(16384), true},
        {u"HostListWidth", StoredValue::Integer(1 << 30), false},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.name) + (c.usable ? " usable" : " broken"));
        MemorySettingsStore store;
        store.Seed(u"ClientHeight", StoredValue::Integer(500));  // a good neighbour
        store.Seed(c.name, c.stored);
        const WindowLayout layout = ReadWindowLayout(store);
        MemorySettingsStore readBack;
        WriteWindowLayout(readBack, layout);
        const StoredValue expected = c.usable ? c.stored : StoredValue::Missing();
        if (std::u16string_view(c.name) == u"Maximized" && c.usable) {
            EXPECT_EQ(layout.Maximized, c.stored.integer == 1);
        }
        EXPECT_EQ(readBack.Read(c.name), expected);
        if (std::u16string_view(c.name) != u"ClientHeight") {
            EXPECT_EQ(layout.ClientHeight, 500);
        }
    }
}

TEST(WindowLayoutTest, ASplitterMustLeaveTheMinimumBeyondIt) {
    EXPECT_EQ(SplitterWithin(120, 300), 120);
    EXPECT_EQ(SplitterWithin(300, 300), 300);
    EXPECT_EQ(SplitterWithin(301, 300), std::nullopt) << "beyond the window";
    EXPECT_EQ(SplitterWithin(29, 300), std::nullopt);
    EXPECT_EQ(SplitterWithin(std::nullopt, 300), std::nullopt);
    EXPECT_EQ(SplitterWithin(40, 20), std::nullopt) << "a window too small for any";
}

struct DpiCase {
    int design;
    unsigned dpi;
    int scaled;
};

TEST(DesignDpiTest, ScalesBothWaysRoundingLikeMulDiv) {
    const DpiCase cases[] = {
        {680, 96, 680}, {680, 144, 1020},    {457, 144, 686}, {457, 120, 571}, {215, 192, 430},
        {1, 144, 2},    {-1200, 144, -1800}, {-3, 144, -5},   {84, 0, 84},  // a DPI the system did
                                                                            // not give reads as 96
    };
    for (const DpiCase& c : cases) {
        EXPECT_EQ(ScaleFromDesignDpi(c.design, c.dpi), c.scaled) << c.design << " at " << c.dpi;
    }
    EXPECT_EQ(ScaleToDesignDpi(1020, 144), 680);
    EXPECT_EQ(ScaleToDesignDpi(686, 144), 457);
    EXPECT_EQ(ScaleToDesignDpi(571, 120), 457);
    EXPECT_EQ(ScaleToDesignDpi(-1800, 144), -1200);
    EXPECT_EQ(ScaleToDesignDpi(345, 144), 230);
    // A value that goes to a high DPI and back comes home, so restarting does not creep.
    for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
        for (int value : {30, 84, 215, 457, 680, 4096}) {
            EXPECT_EQ(ScaleToDesignDpi(ScaleFromDesignDpi(value, dpi), dpi), value) << dpi;
        }
    }
}

}  // namespace
}  // namespace kestrine
