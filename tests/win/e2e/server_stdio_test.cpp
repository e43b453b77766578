// server.exe keeps answering when its standard output and error lead nowhere: NUL, no
// handles at all (a program started without a console), or a pipe that is full.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/inflate.h"
#include "e2e/programs.h"
#include "exchange/server_exchange.h"
#include "pipe/win32_pipe_connector.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"

namespace kestrine {
namespace {

using testing::ServerOutput;
using testing::ServerProcess;
using testing::TempTree;

// More requests than the server has pipe instances, so a stalled instance would show.
constexpr int kRequests = 40;

TEST(ServerStdioTest, KeepsServingWhenItsOutputLeadsNowhere) {
    TempTree tree;
    tree.AddFolder(L"share");
    tree.AddFile(L"share\\report.txt", 10);
    const struct {
        const char* name;
        ServerOutput output;
    } cases[] = {
        {"NUL", ServerOutput::Nul},
        {"closed", ServerOutput::Closed},
        {"full pipe", ServerOutput::Full},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ServerProcess server({L"--host", L"ALPHA=" + tree.Root()}, c.output);
        ASSERT_TRUE(server.Ready()) << "server.exe did not start";
        Win32PipeConnector connector;
        int found = 0;
        for (int i = 0; i < kRequests; ++i) {
            Bytes answer;
            try {
                ServerExchange(connector, u".", BuildSearchRequest({100, 0, 0, 0, u"report", u"*"}),
                               answer, nullptr);
                InflateInPlace(answer);
                ReadSearchResults(answer, [&](TFileSearchItem&&) { ++found; });
            } catch (const std::exception& failure) {
                FAIL() << "request " << i << ": " << failure.what();
            }
        }
        EXPECT_EQ(found, kRequests);
    }
}

}  // namespace
}  // namespace kestrine
