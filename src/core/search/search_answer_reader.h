#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/bytes.h"
#include "common/failure.h"
#include "common/inflate.h"
#include "search/encoded_text_ids.h"
#include "search/result_list.h"

namespace kestrine {

// Reads the search-result layout straight into a page, row by row, from bytes that may come
// in pieces of any size: a row is taken once all its values are there, and is always taken
// whole. Failures, in layout order: "Unsupported stream version", "Unexpected number of
// fields", "Invalid property value", and "Stream read error" when the data ends early.
class SearchLayoutParser {
  public:
    explicit SearchLayoutParser(SearchResultList& page) : page_(page) {}

    // Reads what it can from the front of bytes and returns how many bytes it used; the rest
    // waits for more. Throws on a failure in the layout.
    std::size_t Parse(std::span<const std::uint8_t> bytes);
    // True once the list has ended; later bytes are not part of the layout.
    bool Complete() const { return state_ == State::Complete; }

  private:
    enum class State { Version, FieldCount, ListBegin, Rows, Complete };
    struct Text;
    struct Row;

    bool TakeRow(const std::uint8_t*& p, const std::uint8_t* end, Row& row) const;
    void AppendRows(std::span<const Row> rows);
    std::uint32_t SharedText(const Text& text, EncodedTextIds& known, bool isFolder);

    SearchResultList& page_;
    State state_ = State::Version;
    // Computers and folders seen before are recognised by their bytes without decoding them
    // again.
    EncodedTextIds computers_;
    EncodedTextIds folders_;
    std::vector<char16_t> scratch_;
};

// Takes an answer's inflated bytes as they come and keeps only the part of a row that has not
// arrived whole, so the full inflated copy never exists. A failure in the layout keeps the
// rows before it and stops the reading; it is reported by Finish.
class SearchAnswerReader {
  public:
    explicit SearchAnswerReader(SearchResultList& page) : parser_(page) {}

    // Where the next inflated bytes go; then Received with how many were written.
    std::span<std::uint8_t> Room();
    void Received(std::size_t count);
    // After the last bytes: throws the failure that stopped the reading, or "Stream read
    // error" when the layout is not complete.
    void Finish();

  private:
    SearchLayoutParser parser_;
    Bytes window_;
    std::size_t begin_ = 0;  // the unread bytes are window_[begin_, end_)
    std::size_t end_ = 0;
    bool stopped_ = false;  // failed or complete: later bytes are only counted by the inflater
    std::optional<Failure> failure_;
};

// Reads an inflated value stream at once.
void ReadSearchResults(std::span<const std::uint8_t> stream, SearchResultList& page);

// Inflates a compressed answer in chunks and reads its rows as they come, with the outcome of
// inflating it whole first and then reading: a zlib failure (the size bound included) is
// thrown with zlib's text and leaves the page as it was; a failure in the layout keeps the
// rows read before it and is thrown only once the rest of the answer has inflated cleanly.
void ReadSearchAnswer(std::span<const std::uint8_t> compressed, SearchResultList& page,
                      std::size_t maxInflatedSize = kMaxInflatedSize);

}  // namespace kestrine
