#include "commatext_command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrine {
namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun Commatext(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommatextCommand(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CommatextCommandTest, ReadPrintsTheEntriesAsOneJsonArray) {
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"", "[]\n"},
        {"\"\"", "[\"\"]\n"},
        {"Any=*,\"HTML Documents=htm,html\"", "[\"Any=*\",\"HTML Documents=htm,html\"]\n"},
        {"a,,b", "[\"a\",\"\",\"b\"]\n"},
        {"\"say \"\"hi\"\"\",\"back\\slash\"", "[\"say \\\"hi\\\"\",\"back\\\\slash\"]\n"},
        {"\"tab\there\",\"line\nbreak\x01\"", "[\"tab\\there\",\"line\\nbreak\\u0001\"]\n"},
        {"caf\xC3\xA9,\xF0\x9F\x98\x80", "[\"caf\xC3\xA9\",\"\xF0\x9F\x98\x80\"]\n"},
        {"bad\xFF", "[\"bad\xEF\xBF\xBD\"]\n"},  // invalid UTF-8 becomes U+FFFD
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CommandRun run = Commatext({"read", c.text});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, c.json);
        EXPECT_EQ(run.err, "");
    }
}

TEST(CommatextCommandTest, WritePrintsTheCommaTextAndOneNewline) {
    EXPECT_EQ(Commatext({"write"}).out, "\n");
    EXPECT_EQ(Commatext({"write", ""}).out, "\"\"\n");
    EXPECT_EQ(Commatext({"write", "Any=*", "HTML Documents=htm,html"}).out,
              "Any=*,\"HTML Documents=htm,html\"\n");
    EXPECT_EQ(Commatext({"write", "say \"hi\"", "caf\xC3\xA9"}).out,
              "\"say \"\"hi\"\"\",caf\xC3\xA9\n");
    EXPECT_EQ(Commatext({"write", "a", "b"}).status, 0);
}

TEST(CommatextCommandTest, BadUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {}, {"read"}, {"read", "a", "b"}, {"parse", "a"}};
    for (const auto& args : bad) {
        const CommandRun run = Commatext(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: kestrine commatext"), std::string::npos);
    }
}

}  // namespace
}  // namespace kestrine
