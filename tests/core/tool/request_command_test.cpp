#include <gtest/gtest.h>

#include "protocol/request_document.h"
#include "tool_test_support.h"

namespace kestrine {
namespace {

using tool_test::RunKestrine;

std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(ToolRequest, SearchWritesOnlyTheDocument) {
    auto run = RunKestrine({"request", "search"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, AsString(BuildSearchRequest({1000, 0, 0, 0, u"", u""})));
    EXPECT_EQ(run.err, "");

    run = RunKestrine({"request", "search", "--query", "abc", "--extensions", "'zip','arj'"});
    EXPECT_EQ(run.out.size(), 220u);
    EXPECT_EQ(run.out, AsString(BuildSearchRequest({1000, 0, 0, 0, u"abc", u"'zip','arj'"})));

    run = RunKestrine({"request", "search", "--limit", "50", "--skip", "100", "--mode", "2",
                       "--active", "1", "--query", "caf\xC3\xA9 \xF0\x9F\x98\x80"});
    EXPECT_EQ(run.out, AsString(BuildSearchRequest({50, 100, 2, 1, u"caf\u00e9 \U0001F600", u""})));
}

TEST(ToolRequest, BrowseDefaultsToTheHostList) {
    auto run = RunKestrine({"request", "browse"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.size(), 122u);
    EXPECT_EQ(run.out, AsString(BuildBrowseRequest(-1, -1)));
    run = RunKestrine({"request", "browse", "--host", "3", "--folder", "-7"});
    EXPECT_EQ(run.out, AsString(BuildBrowseRequest(3, -7)));
}

TEST(ToolRequest, BadCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"request"},
        {"request", "delete"},
        {"request", "search", "--limit"},
        {"request", "search", "--limit", "12x"},
        {"request", "search", "--limit", ""},
        {"request", "search", "--skip", "2147483648"},
        {"request", "search", "--host", "1"},
        {"request", "browse", "--folder", "one"},
        {"request", "browse", "extra"},
        {"decode"},
        {"decode", "everything", "file"},
        {"decode", "hosts"},
        {"decode", "hosts", "a", "b"},
        {"decode", "folder", "file"},
        {"decode", "folder", "--folder", "x", "file"},
    };
    for (const auto& args : cases) {
        const auto run = RunKestrine(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "") << testing::PrintToString(args);
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace kestrine
