#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrine {

// What a successfully loaded page puts in status panels 1 to 3 and the page offsets.
struct PageStatus {
    std::u16string CountText;      // panel 1: "No files found" or "Displaying a to b"
    std::u16string PreviousText;   // panel 2: "Previous" or empty
    std::u16string NextText;       // panel 3: "Next" or empty
    std::int32_t PrevOffset = -1;  // -1: no previous page
    std::int32_t NextOffset = -1;  // -1: no next page
};

// The status of a page of count rows asked for at offset with the given limit. A previous
// page exists when offset is above 0; it starts rowLimit rows earlier, or at row 0 when that
// is not an earlier row (after the page size changed, offset - rowLimit can be negative, and
// a page size of 0 or less would not move back at all). A next page exists
// when a full page of a positive limit arrived and its offset still fits in 32 bits.
PageStatus DescribePage(std::int32_t offset, std::int32_t limit, std::int32_t rowLimit,
                        std::size_t count);

// The page offsets and the texts of panels 2 and 3. Only a page that loaded changes them:
// after a failed search they keep their values.
class SearchPaging {
  public:
    std::int32_t PrevOffset() const { return status_.PrevOffset; }
    std::int32_t NextOffset() const { return status_.NextOffset; }
    const std::u16string& PreviousText() const { return status_.PreviousText; }
    const std::u16string& NextText() const { return status_.NextText; }

    // Takes the status of a loaded page and returns the text for panel 1.
    const std::u16string& PageLoaded(std::int32_t offset, std::int32_t limit, std::int32_t rowLimit,
                                     std::size_t count);

  private:
    PageStatus status_;
};

// Which paging panel a click at x (status-bar client coordinates) hits, given the widths of
// panels 0 to 3. The "Previous" zone lies strictly between w0 + w1 and w0 + w1 + w2, the
// "Next" zone strictly between that end + 1 and that end + 1 + w3.
enum class PagingPanel { None, Previous, Next };
PagingPanel PagingPanelAt(std::span<const int, 4> widths, int x);

// The offset a click at x asks for, or nullopt when it hits no panel whose page exists.
std::optional<std::int32_t> PageOffsetForClick(std::span<const int, 4> widths, int x,
                                               std::int32_t prevOffset, std::int32_t nextOffset);

}  // namespace kestrine
