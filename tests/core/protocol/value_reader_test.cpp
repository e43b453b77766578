#include "protocol/value_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/text.h"
#include "protocol/value_writer.h"

namespace kestrine {
namespace {

// What one read operation does to a stream: the failure text, or "ok".
std::string Outcome(const std::function<void(ValueReader&)>& read, const Bytes& data) {
    ValueReader reader(data);
    try {
        read(reader);
    } catch (const Failure& failure) {
        return Utf16ToUtf8(failure.Message());
    }
    return "ok";
}

struct Operation {
    const char* name;
    std::function<void(ValueReader&)> read;
    std::set<int> accepts;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"Integer", [](ValueReader& r) { r.ReadInteger(); }, {2, 3, 4}},
        {"Int64", [](ValueReader& r) { r.ReadInt64(); }, {2, 3, 4, 19}},
        {"Date", [](ValueReader& r) { r.ReadDate(); }, {2, 3, 4, 17, 19}},
        {"String", [](ValueReader& r) { r.ReadString(); }, {6, 12, 18, 20}},
        {"SkipString", [](ValueReader& r) { r.SkipString(); }, {6, 12, 18, 20}},
        {"ListBegin", [](ValueReader& r) { r.ReadListBegin(); }, {1}},
        {"ListEnd", [](ValueReader& r) { r.ReadListEnd(); }, {0}},
    };
    return operations;
}

// One well-formed value for every tag, plus tags that never hold a value.
std::vector<std::pair<int, Bytes>> SampleValues() {
    return {
        {0, ValueWriter().ListEnd().Take()},
        {1, ValueWriter().ListBegin().Take()},
        {2, ValueWriter().Int8(-5).Take()},
        {3, ValueWriter().Int16(-300).Take()},
        {4, ValueWriter().Int32(70000).Take()},
        {6, ValueWriter().ShortString("ab").Take()},
        {12, ValueWriter().LongString("abc").Take()},
        {17, ValueWriter().Date(45000.5).Take()},
        {18, ValueWriter().WideString(u"wide").Take()},
        {19, ValueWriter().Int64(-1).Take()},
        {20, ValueWriter().Utf8String(u"utf").Take()},
        {5, Bytes{5, 0, 0, 0, 0}},
        {7, Bytes{7, 0, 0, 0, 0}},
        {255, Bytes{255, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
}

TEST(ValueReader, EachOperationAcceptsExactlyItsTags) {
    for (const Operation& op : Operations()) {
        for (const auto& [tag, data] : SampleValues()) {
            const std::string expected = op.accepts.count(tag) ? "ok" : "Invalid property value";
            EXPECT_EQ(Outcome(op.read, data), expected) << op.name << " on tag " << tag;
        }
    }
}

TEST(ValueReader, AcceptedValueIsConsumedExactly) {
    for (const Operation& op : Operations()) {
        for (const auto& [tag, data] : SampleValues()) {
            if (!op.accepts.count(tag)) {
                continue;
            }
            ValueReader reader(data);
            op.read(reader);
            EXPECT_EQ(reader.Position(), data.size()) << op.name << " on tag " << tag;
        }
    }
}

TEST(ValueReader, ValueCutShortFailsWithStreamReadError) {
    for (const Operation& op : Operations()) {
        for (const auto& [tag, data] : SampleValues()) {
            if (!op.accepts.count(tag)) {
                continue;
            }
            for (std::size_t keep = 0; keep < data.size(); ++keep) {
                const Bytes cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(keep));
                EXPECT_EQ(Outcome(op.read, cut), "Stream read error")
                    << op.name << " on tag " << tag << " cut to " << keep;
            }
        }
    }
}

TEST(ValueReader, EndOfListPeeksWithoutConsuming) {
    for (const auto& [tag, data] : SampleValues()) {
        ValueReader reader(data);
        EXPECT_EQ(reader.EndOfList(), tag == 0) << tag;
        EXPECT_EQ(reader.Position(), 0u);
    }
    EXPECT_EQ(Outcome([](ValueReader& r) { r.EndOfList(); }, Bytes{}), "Stream read error");
}

TEST(ValueReader, IntegersAreSignExtended) {
    struct Case {
        Bytes data;
        std::int32_t integer;
    };
    const std::vector<Case> cases = {
        {{2, 0xFF}, -1},
        {{2, 0x7F}, 127},
        {{3, 0xFE, 0xFF}, -2},
        {{3, 0x00, 0x80}, -32768},
        {{4, 0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
        {{4, 0x00, 0x00, 0x00, 0x80}, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValueReader(c.data).ReadInteger(), c.integer);
        EXPECT_EQ(ValueReader(c.data).ReadInt64(), c.integer);
        EXPECT_EQ(ValueReader(c.data).ReadDate(), static_cast<double>(c.integer));
    }
    const Bytes big = ValueWriter().Int64(-(std::int64_t{1} << 40)).Take();
    EXPECT_EQ(ValueReader(big).ReadInt64(), -(std::int64_t{1} << 40));
    EXPECT_EQ(ValueReader(big).ReadDate(), -1099511627776.0);
}

TEST(ValueReader, DateAcceptsDoubleAndIntegers) {
    EXPECT_EQ(ValueReader(ValueWriter().Date(45000.5).Take()).ReadDate(), 45000.5);
    // 1900-01-01 00:00 sent as an int32.
    EXPECT_EQ(ValueReader(ValueWriter().Int32(2).Take()).ReadDate(), 2.0);
}

TEST(ValueReader, StringsDecodeFromEachEncoding) {
    struct Case {
        const char* name;
        Bytes data;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"empty short", ValueWriter().ShortString("").Take(), u""},
        {"empty long", ValueWriter().LongString("").Take(), u""},
        {"empty wide", ValueWriter().WideString(u"").Take(), u""},
        {"empty utf8", ValueWriter().Utf8String(u"").Take(), u""},
        {"short ansi", ValueWriter().ShortString("caf\xE9 \x80").Take(), u"caf\u00e9 \u20ac"},
        {"long ansi", ValueWriter().LongString("\\\\ALPHA").Take(), u"\\\\ALPHA"},
        {"wide", ValueWriter().WideString(u"\u00e9\U0001F600").Take(), u"\u00e9\U0001F600"},
        {"wide lone surrogate",
         ValueWriter().WideString(std::u16string(1, char16_t{0xD800})).Take(),
         std::u16string(1, char16_t{0xD800})},
        {"utf8", ValueWriter().Utf8String(u"na\u00efve \u20ac\U0001F600").Take(),
         u"na\u00efve \u20ac\U0001F600"},
        {"utf8 invalid byte", Bytes{20, 2, 0, 0, 0, 'a', 0xFF}, u"a\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValueReader(c.data).ReadString(), c.text) << c.name;
    }
}

TEST(ValueReader, HugeLengthsFailWithoutOverflowOrAllocation) {
    struct Case {
        const char* name;
        Bytes data;
    };
    const std::vector<Case> cases = {
        {"long string 0xFFFFFFFF", {12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}},
        {"utf8 string 0xFFFFFFFF", {20, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}},
        // 2 * 0x80000000 wraps to 0 in 32-bit arithmetic.
        {"wide string 0x80000000", {18, 0x00, 0x00, 0x00, 0x80, 'a', 0}},
        {"wide string 0xFFFFFFFF", {18, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}},
        {"wide string one unit short", {18, 0x02, 0x00, 0x00, 0x00, 'a', 0, 'b'}},
        {"short string past the end", {6, 0xFF, 'a'}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Outcome([](ValueReader& r) { r.ReadString(); }, c.data), "Stream read error")
            << c.name;
        EXPECT_EQ(Outcome([](ValueReader& r) { r.SkipString(); }, c.data), "Stream read error")
            << c.name;
    }
}

}  // namespace
}  // namespace kestrine
