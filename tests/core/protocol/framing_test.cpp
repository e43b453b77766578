#include "protocol/framing.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/text.h"

namespace kestrine {
namespace {

TEST(FramingTest, LengthPrefixIsFourBytesLittleEndian) {
    struct Case {
        std::uint32_t length;
        LengthPrefix bytes;
    };
    const Case cases[] = {
        {0, {0x00, 0x00, 0x00, 0x00}},          {3, {0x03, 0x00, 0x00, 0x00}},
        {65534, {0xFE, 0xFF, 0x00, 0x00}},      {0x12345678, {0x78, 0x56, 0x34, 0x12}},
        {0x80000001, {0x01, 0x00, 0x00, 0x80}},  // the top bit is no sign
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(EncodeLength(c.length), c.bytes);
        EXPECT_EQ(DecodeLength(c.bytes), c.length);
    }
}

TEST(FramingTest, PipePathNamesTheServerComputer) {
    EXPECT_EQ(PipePathFor(u"FILESRV"), u"\\\\FILESRV\\pipe\\vellmora_kestrine_server");
    EXPECT_EQ(PipePathFor(u"."), kLocalPipePath);
    EXPECT_EQ(PipePathFor(u""), u"\\\\\\pipe\\vellmora_kestrine_server");
}

TEST(FramingTest, ErrorAnswerIsRecognisedByItsFirstSixUtf16Units) {
    Bytes elevenBytes = TextToUtf16Le(u"ERROR:");
    elevenBytes.pop_back();
    const struct {
        const char* name;
        Bytes answer;
        bool error;
    } cases[] = {
        {"the marker alone", TextToUtf16Le(u"ERROR:"), true},
        {"marker and text", TextToUtf16Le(u"ERROR: no such folder"), true},
        {"one byte short", elevenBytes, false},
        {"lower case", TextToUtf16Le(u"error: lower case"), false},
        {"no colon", TextToUtf16Le(u"ERROR"), false},
        {"8-bit text", Bytes{'E', 'R', 'R', 'O', 'R', ':', 0, 0, 0, 0, 0, 0}, false},
        {"zlib stream", Bytes{0x78, 0x9C, 0x01}, false},
        {"empty", Bytes{}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsErrorAnswer(c.answer), c.error) << c.name;
    }
}

}  // namespace
}  // namespace kestrine
