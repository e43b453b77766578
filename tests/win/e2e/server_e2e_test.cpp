// The tool and the client's exchange against the real server.exe over the real pipe.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/inflate.h"
#include "common/text.h"
#include "e2e/programs.h"
#include "exchange/server_exchange.h"
#include "pipe/win32_pipe_connector.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"

namespace kestrine {
namespace {

using testing::BuiltProgram;
using testing::Lines;
using testing::ProgramResult;
using testing::RunProgram;
using testing::ServerProcess;
using testing::TempTree;

// \\ALPHA: share\docs\{a.txt, Report.pdf, reports\q1.pdf}, share\x.zip, pub\readme.txt, and
// a file beside the shares that no client could reach. \\BETA's folder does not exist.
class ServerE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tree_.AddFolder(L"share");
        tree_.AddFolder(L"share\\docs");
        tree_.AddFolder(L"share\\docs\\reports");
        tree_.AddFolder(L"pub");
        tree_.AddFile(L"share\\docs\\a.txt", 10);
        tree_.AddFile(L"share\\docs\\Report.pdf", 5000);
        tree_.AddFile(L"share\\docs\\reports\\q1.pdf", 20);
        tree_.AddFile(L"share\\x.zip", 30);
        tree_.AddFile(L"pub\\readme.txt", 40);
        tree_.AddFile(L"report-at-root.txt", 50);
        // The log sits beside the shares, where no host folder is indexed.
        server_ = std::make_unique<ServerProcess>(
            std::vector<std::wstring>{L"--host", L"ALPHA=" + tree_.Root(), L"--host",
                                      L"BETA=" + tree_.Root() + L"\\gone"},
            tree_.Root() + L"\\server.log");
        ASSERT_TRUE(server_->Ready()) << "server.exe did not start";
    }

    static ProgramResult Tool(const std::vector<std::wstring>& args) {
        return RunProgram(BuiltProgram(L"tool\\kestrine.exe"), args);
    }

    TempTree tree_;
    std::unique_ptr<ServerProcess> server_;
};

// The value of "key":NUMBER in a JSON line.
int NumberField(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\":");
    return at == std::string::npos ? -1 : std::stoi(line.substr(at + key.size() + 3));
}

TEST_F(ServerE2eTest, SearchPrintsTheMatchingRows) {
    const ProgramResult files = Tool({L"search", L"--server", L".", L"report"});
    ASSERT_EQ(files.exitCode, 0u) << files.err;
    const std::vector<std::string> lines = Lines(files.out);
    ASSERT_EQ(lines.size(), 1u) << files.out;
    EXPECT_EQ(lines[0].rfind("{\"computer\":\"\\\\\\\\ALPHA\",\"folder\":\"share\\\\docs\","
                             "\"file_name\":\"Report.pdf\",\"size\":5000,\"modified\":",
                             0),
              0u)
        << lines[0];

    const ProgramResult both = Tool({L"search", L"--server", L".", L"--mode", L"2", L"REPORT"});
    ASSERT_EQ(both.exitCode, 0u) << both.err;
    const std::vector<std::string> rows = Lines(both.out);
    ASSERT_EQ(rows.size(), 2u) << both.out;
    EXPECT_NE(rows[1].find("\"file_name\":\"reports\""), std::string::npos);
    EXPECT_NE(rows[1].find("\"attributes\":16}"), std::string::npos);

    const ProgramResult zips =
        Tool({L"search", L"--server", L" nowhere-else ,.", L"--extensions", L"'zip'", L""});
    ASSERT_EQ(zips.exitCode, 0u) << zips.err;
    ASSERT_EQ(Lines(zips.out).size(), 1u) << zips.out;
    EXPECT_NE(zips.out.find("\"file_name\":\"x.zip\""), std::string::npos);
}

TEST_F(ServerE2eTest, BrowseWalksFromTheHostListIntoAFolder) {
    const ProgramResult hosts = Tool({L"browse", L"--server", L"."});
    ASSERT_EQ(hosts.exitCode, 0u) << hosts.err;
    const std::vector<std::string> hostLines = Lines(hosts.out);
    ASSERT_EQ(hostLines.size(), 2u) << hosts.out;
    EXPECT_EQ(hostLines[0].rfind("{\"id\":1,\"name\":\"\\\\\\\\ALPHA\",\"updated\":", 0), 0u);
    EXPECT_NE(hostLines[0].find("\"active\":1}"), std::string::npos);
    EXPECT_NE(hostLines[1].find("\"active\":0}"), std::string::npos);

    const ProgramResult top = Tool({L"browse", L"--server", L".", L"--host", L"1"});
    ASSERT_EQ(top.exitCode, 0u) << top.err;
    const std::vector<std::string> shares = Lines(top.out);
    ASSERT_EQ(shares.size(), 2u) << top.out;
    EXPECT_NE(shares[0].find("\"name\":\"pub\""), std::string::npos);
    EXPECT_NE(shares[1].find("\"name\":\"share\""), std::string::npos);
    const int shareId = NumberField(shares[1], "id");

    const ProgramResult folder = Tool(
        {L"browse", L"--server", L".", L"--host", L"1", L"--folder", std::to_wstring(shareId)});
    ASSERT_EQ(folder.exitCode, 0u) << folder.err;
    const std::vector<std::string> entries = Lines(folder.out);
    ASSERT_EQ(entries.size(), 3u) << folder.out;
    EXPECT_EQ(entries[0], "{\"path\":\"\\\\\\\\ALPHA\\\\share\"}");
    EXPECT_EQ(entries[1], "{\"folder\":false,\"id\":0,\"name\":\"x.zip\",\"size\":30}");
    EXPECT_EQ(entries[2].rfind("{\"folder\":true,\"id\":", 0), 0u);
    EXPECT_NE(entries[2].find("\"name\":\"docs\",\"size\":0}"), std::string::npos);
}

TEST_F(ServerE2eTest, FailuresEndWithTheirMessage) {
    const ProgramResult noHost = Tool({L"browse", L"--server", L".", L"--host", L"9"});
    EXPECT_EQ(noHost.exitCode, 1u);
    EXPECT_EQ(Lines(noHost.err), std::vector<std::string>{"ERROR: no host with id 9"});
    EXPECT_TRUE(noHost.out.empty());

    const ProgramResult nowhere = Tool({L"search", L"--server", L",", L"x"});
    EXPECT_EQ(nowhere.exitCode, 1u);
    EXPECT_EQ(nowhere.err.rfind(
                  "Unable to connect to the database. Check the server name in preferences. ", 0),
              0u)
        << nowhere.err;
}

// One raw exchange: the prefix announces `announced` bytes, then `body` is sent.
std::u16string RawExchange(std::uint32_t announced, const Bytes& body) {
    const wchar_t* path = AsWide(kLocalPipePath);
    WaitNamedPipeW(path, 10000);
    UniqueKernelHandle pipe(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD done = 0;
    const LengthPrefix prefix = EncodeLength(announced);
    WriteFile(pipe.get(), prefix.data(), 4, &done, nullptr);
    if (!body.empty()) {
        WriteFile(pipe.get(), body.data(), static_cast<DWORD>(body.size()), &done, nullptr);
    }
    LengthPrefix answerPrefix{};
    if (!ReadFile(pipe.get(), answerPrefix.data(), 4, &done, nullptr) || done != 4) {
        return u"(no answer)";
    }
    const std::uint32_t length = DecodeLength(answerPrefix);
    Bytes answer(length);
    std::size_t have = 0;
    while (have < length &&
           ReadFile(pipe.get(), answer.data() + have, static_cast<DWORD>(length - have), &done,
                    nullptr) &&
           done > 0) {
        have += done;
    }
    answer.resize(have);
    return Utf16LeToText(answer);
}

TEST_F(ServerE2eTest, RefusesBadRequestsAndKeepsServing) {
    EXPECT_EQ(RawExchange(70000, {}), u"ERROR: request too long");
    EXPECT_EQ(RawExchange(3, Bytes{'<', 'a', '>'}),
              u"ERROR: malformed request document: element a is not closed at offset 3");
    {
        // A client that goes away without a word.
        UniqueKernelHandle silent(CreateFileW(AsWide(kLocalPipePath), GENERIC_READ | GENERIC_WRITE,
                                              0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    }
    const ProgramResult usage = Tool({L"search", L"report"});
    EXPECT_EQ(usage.exitCode, 2u);
    EXPECT_NE(usage.err.find("--server LIST is required"), std::string::npos) << usage.err;
    EXPECT_EQ(Lines(Tool({L"search", L"--server", L".", L"report"}).out).size(), 1u);
}

TEST(ServerRescanTest, FindsNewFilesAndKeepsFolderIds) {
    TempTree tree;
    tree.AddFolder(L"share");
    tree.AddFolder(L"share\\docs");
    const ServerProcess server({L"--host", L"ALPHA=" + tree.Root(), L"--rescan", L"1"},
                               tree.Root() + L"\\server.log");
    ASSERT_TRUE(server.Ready());
    const std::wstring tool = BuiltProgram(L"tool\\kestrine.exe");
    const std::string before =
        RunProgram(tool, {L"browse", L"--server", L".", L"--host", L"1"}).out;
    EXPECT_TRUE(RunProgram(tool, {L"search", L"--server", L".", L"late"}).out.empty());

    tree.AddFolder(L"another");
    tree.AddFile(L"share\\docs\\late.txt", 5);
    std::string found;
    for (int attempt = 0; attempt < 40 && found.empty(); ++attempt) {
        Sleep(250);
        found = RunProgram(tool, {L"search", L"--server", L".", L"late"}).out;
    }
    EXPECT_NE(found.find("\"file_name\":\"late.txt\""), std::string::npos) << found;
    const std::vector<std::string> after =
        Lines(RunProgram(tool, {L"browse", L"--server", L".", L"--host", L"1"}).out);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NE(after[0].find("\"name\":\"another\""), std::string::npos);
    EXPECT_EQ(after[1], Lines(before).at(0));  // "share" keeps its id
}

// Fetches every row of a search page by page through the client's own exchange.
std::vector<TFileSearchItem> SearchPages(const std::u16string& query, std::int32_t pageSize) {
    std::vector<TFileSearchItem> rows;
    Win32PipeConnector connector;
    for (std::int32_t skip = 0;; skip += pageSize) {
        Bytes answer;
        ServerExchange(connector, u".", BuildSearchRequest({pageSize, skip, 2, 0, query, u"*"}),
                       answer, nullptr);
        InflateInPlace(answer);
        std::size_t count = 0;
        ReadSearchResults(answer, [&](TFileSearchItem&& row) {
            rows.push_back(row);
            ++count;
        });
        if (count < static_cast<std::size_t>(pageSize)) {
            return rows;
        }
    }
}

std::vector<std::u16string> Names(const std::vector<TFileSearchItem>& rows) {
    std::vector<std::u16string> names;
    for (const TFileSearchItem& row : rows) {
        names.push_back(row.Folder + u"\\" + row.FileName);
    }
    return names;
}

TEST_F(ServerE2eTest, PagesThroughTheSameRowsAsOneBigPage) {
    const std::vector<std::u16string> all = Names(SearchPages(u"", 1000));
    ASSERT_EQ(all.size(), 7u);  // 5 files and 2 folders below the shares
    EXPECT_EQ(Names(SearchPages(u"", 2)), all);
    EXPECT_EQ(Names(SearchPages(u"", 7)), all);
}

TEST_F(ServerE2eTest, ServesSeveralClientsAtOnce) {
    const std::vector<std::u16string> expected = Names(SearchPages(u"e", 1000));
    std::atomic<int> failures{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 8; ++i) {
        clients.emplace_back([&] {
            for (int round = 0; round < 10; ++round) {
                try {
                    if (Names(SearchPages(u"e", 1000)) != expected) {
                        ++failures;
                    }
                } catch (const std::exception& failure) {
                    if (failures++ == 0) {
                        ADD_FAILURE() << failure.what();
                    }
                }
            }
        });
    }
    std::vector<ProgramResult> tools(4);
    std::vector<std::thread> toolRunners;
    for (ProgramResult& result : tools) {
        toolRunners.emplace_back([&result] {
            result = Tool({L"search", L"--server", L".", L"--mode", L"2", L"e"});
        });
    }
    for (std::thread& thread : clients) {
        thread.join();
    }
    for (std::thread& thread : toolRunners) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
    for (const ProgramResult& result : tools) {
        EXPECT_EQ(result.exitCode, 0u) << result.err;
        EXPECT_EQ(Lines(result.out).size(), expected.size());
    }
}

}  // namespace
}  // namespace kestrine
