#include "common/inflate.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <string>

#include "common/deflate.h"
#include "common/failure.h"
#include "common/text.h"

namespace kestrine {
namespace {

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string FailureOf(Bytes buffer, std::size_t maxSize = kMaxInflatedSize) {
    try {
        InflateInPlace(buffer, maxSize);
    } catch (const Failure& failure) {
        return Utf16ToUtf8(failure.Message());
    }
    return "no failure";
}

Bytes Sample(std::size_t size) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>((i * 7919) % 251);
    }
    return data;
}

TEST(Inflate, RoundTripsSmallEmptyAndLargeData) {
    for (std::size_t size :
         {std::size_t{0}, std::size_t{1}, std::size_t{5000}, std::size_t{3} << 20}) {
        const Bytes original = Sample(size);
        Bytes buffer = Deflate(original);
        InflateInPlace(buffer);
        EXPECT_EQ(buffer, original) << size;
    }
}

TEST(Inflate, IgnoresBytesAfterTheStream) {
    Bytes buffer = Deflate(BytesOf("hello"));
    buffer.push_back(0xAB);
    buffer.push_back(0xCD);
    InflateInPlace(buffer);
    EXPECT_EQ(buffer, BytesOf("hello"));
}

TEST(Inflate, TruncatedStreamGivesWhatItHolds) {
    const Bytes original = Sample(200000);
    const Bytes whole = Deflate(original);
    // Cut inside the deflate data and just before the checksum: neither loops or fails.
    for (std::size_t keep : {whole.size() / 2, whole.size() - 4, std::size_t{2}}) {
        Bytes buffer(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
        InflateInPlace(buffer);
        ASSERT_LE(buffer.size(), original.size());
        EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), original.begin())) << keep;
    }
    Bytes empty;
    InflateInPlace(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(Inflate, ZlibErrorsBecomeTheirTexts) {
    EXPECT_EQ(FailureOf(BytesOf("not a zlib stream")), "data error");
    Bytes badChecksum = Deflate(BytesOf("hello"));
    badChecksum.back() ^= 0xFF;
    EXPECT_EQ(FailureOf(badChecksum), "data error");
    // A 16-bit window header is not a stream this reader accepts.
    EXPECT_EQ(FailureOf(Bytes{0x88, 0x1C, 0x00}), "data error");
}

TEST(Inflate, OutputBeyondTheBoundFailsWithInsufficientMemory) {
    const Bytes zeros(1 << 20, 0);
    const Bytes compressed = Deflate(zeros);  // about 1 KiB
    EXPECT_EQ(FailureOf(compressed, (1 << 20) - 1), "insufficient memory");
    Bytes exact = compressed;
    InflateInPlace(exact, 1 << 20);
    EXPECT_EQ(exact.size(), zeros.size());
}

TEST(Inflate, DefaultBoundFitsTheAddressSpace) {
    EXPECT_EQ(kMaxInflatedSize, sizeof(void*) >= 8 ? 1u << 30 : 256u << 20);
}

}  // namespace
}  // namespace kestrine
