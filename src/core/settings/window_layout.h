#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace kestrine {

// Names of the values in the layout's own subkey, beside the Search values. Each is an
// integer; the column widths are named after their list and the column's index from 0
// ("ViewResultsColumn0" ... "ViewContentColumn1").
inline constexpr std::u16string_view kWindowLeftValue = u"WindowLeft";
inline constexpr std::u16string_view kWindowTopValue = u"WindowTop";
inline constexpr std::u16string_view kClientWidthValue = u"ClientWidth";
inline constexpr std::u16string_view kClientHeightValue = u"ClientHeight";
inline constexpr std::u16string_view kMaximizedValue = u"Maximized";
inline constexpr std::u16string_view kQueryGroupHeightValue = u"QueryGroupHeight";
inline constexpr std::u16string_view kHostListWidthValue = u"HostListWidth";
inline constexpr std::u16string_view kResultColumnsPrefix = u"ViewResultsColumn";
inline constexpr std::u16string_view kHostColumnsPrefix = u"ViewHostColumn";
inline constexpr std::u16string_view kContentColumnsPrefix = u"ViewContentColumn";

// What a remembered value may be; anything else is not ours, or not usable, and reads as
// missing. Sizes are at 96 DPI.
inline constexpr int kCoordinateLimit = 32767;  // the position, either way from the origin
inline constexpr int kMinimumClientSize = 100;  // width and height of the client area
inline constexpr int kMaximumClientSize = 16384;
inline constexpr int kMaximumColumnWidth = 4096;  // 0 is a column the user pushed shut
// Neither side of a splitter gets smaller than this.
inline constexpr int kSplitterMinimum = 30;
inline constexpr int kMaximumSplitterPosition = kMaximumClientSize;

// The main window's layout as remembered between runs. A value that is missing was not
// stored or was not usable; the window then keeps what it opens with, so each value falls
// back on its own. The position is the top-left corner of the normal (not maximized) frame in
// screen pixels; the client size, column widths and splitter positions are at 96 DPI.
struct WindowLayout {
    std::optional<int> WindowLeft;
    std::optional<int> WindowTop;
    std::optional<int> ClientWidth;
    std::optional<int> ClientHeight;
    std::optional<bool> Maximized;
    std::array<std::optional<int>, 5> ResultColumns;
    std::array<std::optional<int>, 2> HostColumns;
    std::array<std::optional<int>, 2> ContentColumns;
    std::optional<int> QueryGroupHeight;  // the query group above Splitter2
    std::optional<int> HostListWidth;     // the host list left of Splitter1

    friend bool operator==(const WindowLayout&, const WindowLayout&) = default;
};

// The name of one column's width value.
std::u16string ColumnWidthValue(std::u16string_view prefix, int column);

// Reads each value on its own. Only integers count: this program writes nothing else there,
// so text or another type is a broken value, as is one out of its range.
WindowLayout ReadWindowLayout(const SettingsStore& store);

// Writes every value that is present, as an integer.
void WriteWindowLayout(SettingsStore& store, const WindowLayout& layout);

// A remembered splitter position, unless it leaves the control beyond the splitter less than
// the minimum: `limit` is the largest position the window's page has room for.
std::optional<int> SplitterWithin(std::optional<int> position, int limit);

}  // namespace kestrine
