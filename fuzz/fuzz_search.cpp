#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/text.h"
#include "fuzz_input.h"
#include "protocol/answer_layouts.h"
#include "search/search_answer_reader.h"

namespace kestrine {
namespace {

// What a read left: the rows and how it ended. The page and the record-by-record reader must
// agree on both, whatever the input.
struct Outcome {
    std::vector<std::u16string> rows;
    std::u16string failure;
    bool operator==(const Outcome&) const = default;
};

std::u16string RowText(const SearchHitView& hit) {
    return std::u16string(hit.Computer) + u"|" + std::u16string(hit.Folder) + u"|" +
           std::u16string(hit.FileName) + u"|" + ToText(hit.Size) + u"|" + ToText(hit.Attributes);
}

template <typename Read>
Outcome PageOutcome(Read read) {
    Outcome outcome;
    SearchResultList page;
    try {
        read(page);
    } catch (const Failure& failure) {
        outcome.failure = failure.Message();
    }
    page.ForEachRow([&](const SearchHitView& hit) { outcome.rows.push_back(RowText(hit)); });
    // Sorting what was read must hold up too.
    for (int column = 0; column < 5; ++column) {
        page.ColumnClick(column);
    }
    return outcome;
}

Outcome RecordOutcome(std::span<const std::uint8_t> stream) {
    Outcome outcome;
    try {
        ReadSearchResults(stream,
                          [&](TFileSearchItem&& item) { outcome.rows.push_back(RowText(item)); });
    } catch (const Failure& failure) {
        outcome.failure = failure.Message();
    }
    return outcome;
}

void Check(bool same) {
    if (!same) {
        std::abort();
    }
}

}  // namespace
}  // namespace kestrine

// The first byte picks the sizes of the pieces the streaming reader gets; the rest is the
// answer, read raw and inflated, by the record reader and into a page.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrine;
    if (size == 0) {
        return 0;
    }
    const std::uint8_t seed = data[0];
    const std::span<const std::uint8_t> input(data + 1, size - 1);

    ReadRawAndInflated(input.data(), input.size(), [&](std::span<const std::uint8_t> stream) {
        const Outcome expected = RecordOutcome(stream);
        Check(PageOutcome([&](SearchResultList& page) { ReadSearchResults(stream, page); }) ==
              expected);
        Check(PageOutcome([&](SearchResultList& page) {
                  SearchAnswerReader reader(page);
                  std::size_t at = 0;
                  std::uint32_t state = seed;
                  while (at < stream.size()) {
                      state = state * 1103515245u + 12345u;
                      const std::span<std::uint8_t> room = reader.Room();
                      const std::size_t piece = 1 + (state >> 16) % (seed % 64 + 1);
                      const std::size_t count = std::min({piece, room.size(), stream.size() - at});
                      std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), count,
                                  room.begin());
                      reader.Received(count);
                      at += count;
                  }
                  reader.Finish();
              }) == expected);
    });

    // The whole road for a compressed answer against inflating it whole, then reading.
    Outcome expected;
    try {
        Bytes inflated(input.begin(), input.end());
        InflateInPlace(inflated, kFuzzInflateLimit);
        expected = RecordOutcome(inflated);
    } catch (const Failure& failure) {
        expected.failure = failure.Message();
    }
    Check(PageOutcome([&](SearchResultList& page) {
              ReadSearchAnswer(input, page, kFuzzInflateLimit);
          }) == expected);
    return 0;
}
