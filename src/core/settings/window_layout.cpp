#include "settings/window_layout.h"

#include "common/text.h"

namespace kestrine {
namespace {

std::optional<int> ReadInRange(const SettingsStore& store, std::u16string_view name, int minimum,
                               int maximum) {
    const StoredValue value = store.Read(name);
    if (value.kind != StoredValue::Kind::Integer || value.integer < minimum ||
        value.integer > maximum) {
        return std::nullopt;
    }
    return value.integer;
}

template <std::size_t N>
void ReadColumns(const SettingsStore& store, std::u16string_view prefix,
                 std::array<std::optional<int>, N>& widths) {
    for (std::size_t column = 0; column < N; ++column) {
        widths[column] = ReadInRange(store, ColumnWidthValue(prefix, static_cast<int>(column)), 0,
                                     kMaximumColumnWidth);
    }
}

void WriteIfPresent(SettingsStore& store, std::u16string_view name, std::optional<int> value) {
    if (value) {
        store.WriteInteger(name, *value);
    }
}

template <std::size_t N>
void WriteColumns(SettingsStore& store, std::u16string_view prefix,
                  const std::array<std::optional<int>, N>& widths) {
    for (std::size_t column = 0; column < N; ++column) {
        WriteIfPresent(store, ColumnWidthValue(prefix, static_cast<int>(column)), widths[column]);
    }
}

}  // namespace

std::u16string ColumnWidthValue(std::u16string_view prefix, int column) {
    return std::u16string(prefix) + ToText(column);
}

WindowLayout ReadWindowLayout(const SettingsStore& store) {
    WindowLayout layout;
    layout.WindowLeft = ReadInRange(store, kWindowLeftValue, -kCoordinateLimit, kCoordinateLimit);
    layout.WindowTop = ReadInRange(store, kWindowTopValue, -kCoordinateLimit, kCoordinateLimit);
    layout.ClientWidth =
        ReadInRange(store, kClientWidthValue, kMinimumClientSize, kMaximumClientSize);
    layout.ClientHeight =
        ReadInRange(store, kClientHeightValue, kMinimumClientSize, kMaximumClientSize);
    if (const std::optional<int> maximized = ReadInRange(store, kMaximizedValue, 0, 1)) {
        layout.Maximized = *maximized == 1;
    }
    ReadColumns(store, kResultColumnsPrefix, layout.ResultColumns);
    ReadColumns(store, kHostColumnsPrefix, layout.HostColumns);
    ReadColumns(store, kContentColumnsPrefix, layout.ContentColumns);
    layout.QueryGroupHeight =
        ReadInRange(store, kQueryGroupHeightValue, kSplitterMinimum, kMaximumSplitterPosition);
    layout.HostListWidth =
        ReadInRange(store, kHostListWidthValue, kSplitterMinimum, kMaximumSplitterPosition);
    return layout;
}

void WriteWindowLayout(SettingsStore& store, const WindowLayout& layout) {
    WriteIfPresent(store, kWindowLeftValue, layout.WindowLeft);
    WriteIfPresent(store, kWindowTopValue, layout.WindowTop);
    WriteIfPresent(store, kClientWidthValue, layout.ClientWidth);
    WriteIfPresent(store, kClientHeightValue, layout.ClientHeight);
    if (layout.Maximized) {
        store.WriteInteger(kMaximizedValue, *layout.Maximized ? 1 : 0);
    }
    WriteColumns(store, kResultColumnsPrefix, layout.ResultColumns);
    WriteColumns(store, kHostColumnsPrefix, layout.HostColumns);
    WriteColumns(store, kContentColumnsPrefix, layout.ContentColumns);
    WriteIfPresent(store, kQueryGroupHeightValue, layout.QueryGroupHeight);
    WriteIfPresent(store, kHostListWidthValue, layout.HostListWidth);
}

std::optional<int> SplitterWithin(std::optional<int> position, int limit) {
    if (!position || *position < kSplitterMinimum || *position > limit) {
        return std::nullopt;
    }
    return position;
}

}  // namespace kestrine
