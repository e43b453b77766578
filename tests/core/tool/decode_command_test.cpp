#include <gtest/gtest.h>

#include "answer_file.h"
#include "common/deflate.h"
#include "common/failure.h"
#include "protocol/answer_writers.h"
#include "protocol/value_writer.h"
#include "tool_test_support.h"

namespace kestrine {
namespace {

using tool_test::RunKestrine;
using tool_test::TempFile;

TEST(ToolDecode, HostsPrintOneObjectPerRecord) {
    const std::vector<HostRecord> hosts = {{1, u"\\\\ALPHA", 45000.5, 1}, {-2, u"\\\\B\"E", 2, 0}};
    const TempFile file("hosts.bin", Deflate(WriteHostList(hosts)));
    const auto run = RunKestrine({"decode", "hosts", file.Name()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "{\"id\":1,\"name\":\"\\\\\\\\ALPHA\",\"updated\":45000.5,\"active\":1}\n"
              "{\"id\":-2,\"name\":\"\\\\\\\\B\\\"E\",\"updated\":2,\"active\":0}\n");
}

TEST(ToolDecode, SearchAppliesTheTrailingSeparatorRule) {
    const std::vector<TFileSearchItem> items = {
        {u"\\\\ALPHA", u"share\\docs\\", u"a.txt", 12, 45000.5, 32},
        {u"\\\\BETA", u"x", u"\u00e9\U0001F600", -1, 0.1, 16},
    };
    const TempFile file("search.bin", Deflate(WriteSearchResults(items)));
    const auto run = RunKestrine({"decode", "search", file.Name()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"computer\":\"\\\\\\\\ALPHA\",\"folder\":\"share\\\\docs\",\"file_name\":"
              "\"a.txt\",\"size\":12,\"modified\":45000.5,\"attributes\":32}\n"
              "{\"computer\":\"\\\\\\\\BETA\",\"folder\":\"x\",\"file_name\":"
              "\"\xC3\xA9\xF0\x9F\x98\x80\",\"size\":-1,\"modified\":0.1,\"attributes\":16}\n");
}

TEST(ToolDecode, FolderPrintsPathThenRowsInStreamOrder) {
    const std::vector<TFileBrowserItem> items = {
        {true, 17, u"docs", 0},
        {false, 0, u"a.txt", 12},
    };
    const TempFile real("folder.bin", Deflate(WriteFolderListing({}, u"\\\\ALPHA\\s", items)));
    auto run = RunKestrine({"decode", "folder", "--folder", "5", real.Name()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\"path\":\"\\\\\\\\ALPHA\\\\s\"}\n"
              "{\"folder\":false,\"id\":0,\"name\":\"a.txt\",\"size\":12}\n"
              "{\"folder\":true,\"id\":17,\"name\":\"docs\",\"size\":0}\n");

    const TempFile top("top.bin", Deflate(WriteFolderListing({}, std::nullopt, items)));
    run = RunKestrine({"decode", "folder", "--folder", "-1", top.Name()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"folder\":true,\"id\":17,\"name\":\"docs\",\"size\":0}\n");
}

TEST(ToolDecode, FailureKeepsRecordsAndPrintsTheMessageAlone) {
    ValueWriter w;
    w.Int32(1).Int32(4).ListBegin().Int32(1).Utf8String(u"A").Date(1).Int32(1);
    w.Int32(2).Utf8String(u"B");  // cut inside the second row
    const TempFile cut("cut.bin", Deflate(w.Take()));
    auto run = RunKestrine({"decode", "hosts", cut.Name()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "{\"id\":1,\"name\":\"A\",\"updated\":1,\"active\":1}\n");
    EXPECT_EQ(run.err, "Stream read error\n");

    const TempFile count("count.bin", Deflate(ValueWriter().Int32(1).Int32(4).Take()));
    run = RunKestrine({"decode", "search", count.Name()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Unexpected number of fields\n");

    const TempFile raw("raw.bin", ValueWriter().Int32(1).Take());  // not compressed
    run = RunKestrine({"decode", "hosts", raw.Name()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "data error\n");
}

TEST(ToolDecode, FileNamesAreUtf8AndMissingFilesFail) {
    const TempFile file("ans \xC3\xA9\xE2\x82\xAC.bin", Deflate(WriteHostList({})));
    EXPECT_EQ(RunKestrine({"decode", "hosts", file.Name()}).status, 0);

    const auto run = RunKestrine({"decode", "hosts", file.Name() + ".missing"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot open the file"), std::string::npos);
}

TEST(ToolDecode, FileBeyondTheBoundIsRefused) {
    const TempFile file("big.bin", Bytes(1001, 0));
    EXPECT_EQ(ReadAnswerFile(file.Name(), 1001).size(), 1001u);
    EXPECT_THROW(ReadAnswerFile(file.Name(), 1000), Failure);
    try {
        ReadAnswerFile(file.Name(), 1000);
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("larger than 1000 bytes"), std::string::npos);
    }
}

}  // namespace
}  // namespace kestrine
