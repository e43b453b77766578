#include "common/byte_size.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrine {
namespace {

TEST(ByteSizeTest, ThreeSignificantDigitsCutOffNotRounded) {
    struct Case {
        std::int64_t bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {0, u"0 bytes"},
        {532, u"532 bytes"},
        {1023, u"1023 bytes"},
        {1024, u"1.00 KB"},
        {1340, u"1.30 KB"},
        {1536, u"1.50 KB"},
        {10239, u"9.99 KB"},
        {10240, u"10.0 KB"},
        {23506, u"22.9 KB"},
        {102399, u"99.9 KB"},
        {102400, u"100 KB"},
        {1023999, u"999 KB"},
        // 1000 units and more move on to the next unit.
        {1024000, u"0.97 MB"},
        {1046862, u"0.99 MB"},
        {1048576, u"1.00 MB"},
        {2400016, u"2.28 MB"},
        {1048574619, u"999 MB"},
        {1073741775, u"0.99 GB"},
        {2400000000, u"2.23 GB"},
        {std::int64_t{1} << 40, u"1.00 TB"},
        {std::int64_t{1} << 50, u"1.00 PB"},
        {std::int64_t{1} << 60, u"1.00 EB"},
        {std::numeric_limits<std::int64_t>::max(), u"7.99 EB"},
        {-1, u"-1 bytes"},
        {std::numeric_limits<std::int64_t>::min(), u"-9223372036854775808 bytes"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatByteSize(c.bytes), c.text) << c.bytes;
    }
}

TEST(ByteSizeTest, AppendKeepsWhatIsThere) {
    std::u16string text = u"size: ";
    AppendByteSize(1536, text);
    EXPECT_EQ(text, u"size: 1.50 KB");
}

}  // namespace
}  // namespace kestrine
