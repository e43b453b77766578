#include "common/timestamp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "search/value_formatter.h"

namespace kestrine {
namespace {

constexpr double kMillisecond = 1.0 / 86400000.0;

std::u16string PortableText(Timestamp when) {
    std::u16string text;
    PortableValueFormatter().AppendTimestamp(when, text);
    return text;
}

TEST(TimestampTest, DecodesDaysSince18991230) {
    struct Case {
        double when;
        CalendarTime expected;
    };
    const Case cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0, 6}},
        {1.0, {1899, 12, 31, 0, 0, 0, 0, 0}},
        {2.0, {1900, 1, 1, 0, 0, 0, 0, 1}},
        {36526.5, {2000, 1, 1, 12, 0, 0, 0, 6}},
        {45351.75, {2024, 2, 29, 18, 0, 0, 0, 4}},
        {45351.5 + 61234 * kMillisecond, {2024, 2, 29, 12, 1, 1, 234, 4}},
        // The fraction of a negative value is still the time after midnight.
        {-1.25, {1899, 12, 29, 6, 0, 0, 0, 5}},
        {-0.5, {1899, 12, 30, 12, 0, 0, 0, 6}},
        // Rounding to the millisecond can carry into the next day.
        {0.9999999999, {1899, 12, 31, 0, 0, 0, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0, 0, 5}},
        {2958465.5, {9999, 12, 31, 12, 0, 0, 0, 5}},
    };
    for (const Case& c : cases) {
        const auto time = DecodeTimestamp(c.when);
        ASSERT_TRUE(time.has_value()) << c.when;
        const CalendarTime& e = c.expected;
        EXPECT_EQ(std::tie(time->Year, time->Month, time->Day, time->Hour, time->Minute,
                           time->Second, time->Millisecond, time->DayOfWeek),
                  std::tie(e.Year, e.Month, e.Day, e.Hour, e.Minute, e.Second, e.Millisecond,
                           e.DayOfWeek))
            << c.when;
    }
}

TEST(TimestampTest, UnusableValuesDecodeToNothingAndShowEmpty) {
    for (double when : {std::nan(""), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), -657435.0, 2958466.0, 1e300}) {
        EXPECT_FALSE(DecodeTimestamp(when).has_value()) << when;
        EXPECT_EQ(PortableText(when), u"") << when;
    }
}

TEST(TimestampTest, PortableTextIsDayMonthYearHoursMinutes) {
    EXPECT_EQ(PortableText(45351.75), u"29/02/2024 18:00");
    EXPECT_EQ(PortableText(2.5 + 59 * 60000 * kMillisecond), u"01/01/1900 12:59");
    EXPECT_EQ(PortableText(-657434.0), u"01/01/0100 00:00");
    std::u16string text = u"at ";
    PortableValueFormatter().AppendTimestamp(2.0, text);
    EXPECT_EQ(text, u"at 01/01/1900 00:00");
}

TEST(TimestampTest, MillisecondKeyJoinsTimesWithinOneMillisecond) {
    const double t = 45351.5;
    EXPECT_EQ(TimestampMillisecondKey(t), TimestampMillisecondKey(t + 0.3 * kMillisecond));
    EXPECT_LT(TimestampMillisecondKey(t), TimestampMillisecondKey(t + 0.7 * kMillisecond));
    EXPECT_EQ(TimestampMillisecondKey(1.0), 86400000);
    EXPECT_EQ(TimestampMillisecondKey(-1.25), -108000000);
    // Values no date can have still get keys in a consistent order.
    const std::int64_t nan = TimestampMillisecondKey(std::nan(""));
    const std::int64_t minusInfinity =
        TimestampMillisecondKey(-std::numeric_limits<double>::infinity());
    const std::int64_t plusInfinity =
        TimestampMillisecondKey(std::numeric_limits<double>::infinity());
    EXPECT_LT(nan, minusInfinity);
    EXPECT_EQ(TimestampMillisecondKey(-1e300), minusInfinity);
    EXPECT_LT(TimestampMillisecondKey(1e9), plusInfinity);
    EXPECT_EQ(TimestampMillisecondKey(1e300), plusInfinity);
}

}  // namespace
}  // namespace kestrine
