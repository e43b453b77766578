#include "search/paging.h"

#include <limits>

#include "common/text.h"

namespace kestrine {

PageStatus DescribePage(std::int32_t offset, std::int32_t limit, std::int32_t rowLimit,
                        std::size_t count) {
    PageStatus status;
    if (count < 1) {
        status.CountText = u"No files found";
    } else {
        const auto first = static_cast<std::int64_t>(offset) + 1;
        const auto last = static_cast<std::int64_t>(offset) + static_cast<std::int64_t>(count);
        status.CountText = u"Displaying " + ToText(first) + u" to " + ToText(last);
    }

    if (offset >= 1) {
        status.PreviousText = u"Previous";
        const std::int64_t previous = static_cast<std::int64_t>(offset) - rowLimit;
        status.PrevOffset =
            previous >= 0 && previous < offset ? static_cast<std::int32_t>(previous) : 0;
    }

    const std::int64_t next = static_cast<std::int64_t>(offset) + rowLimit;
    if (limit > 0 && count == static_cast<std::size_t>(limit) && rowLimit > 0 &&
        next <= std::numeric_limits<std::int32_t>::max()) {
        status.NextText = u"Next";
        status.NextOffset = static_cast<std::int32_t>(next);
    }
    return status;
}

const std::u16string& SearchPaging::PageLoaded(std::int32_t offset, std::int32_t limit,
                                               std::int32_t rowLimit, std::size_t count) {
    status_ = DescribePage(offset, limit, rowLimit, count);
    return status_.CountText;
}

PagingPanel PagingPanelAt(std::span<const int, 4> widths, int x) {
    // 64-bit sums: widths come from the control and are never trusted to be small.
    const std::int64_t prevFrom = std::int64_t{widths[0]} + widths[1];
    const std::int64_t prevTo = prevFrom + widths[2];
    const std::int64_t nextFrom = prevTo + 1;
    const std::int64_t nextTo = nextFrom + widths[3];
    if (prevFrom < x && x < prevTo) {
        return PagingPanel::Previous;
    }
    if (nextFrom < x && x < nextTo) {
        return PagingPanel::Next;
    }
    return PagingPanel::None;
}

std::optional<std::int32_t> PageOffsetForClick(std::span<const int, 4> widths, int x,
                                               std::int32_t prevOffset, std::int32_t nextOffset) {
    switch (PagingPanelAt(widths, x)) {
        case PagingPanel::Previous:
            if (prevOffset >= 0) {
                return prevOffset;
            }
            break;
        case PagingPanel::Next:
            if (nextOffset >= 0) {
                return nextOffset;
            }
            break;
        case PagingPanel::None:
            break;
    }
    return std::nullopt;
}

}  // namespace kestrine
