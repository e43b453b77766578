#include "pipe/win32_pipe_connector.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "common/failure.h"
#include "common/text.h"
#include "exchange/server_exchange.h"
#include "pipe/scripted_pipe_server.h"

namespace kestrine {
namespace {

using testing::ScriptedPipeServer;
using testing::ServerSide;

// Under Wine a pipe of this computer is reached through the server name ".".
const wchar_t* const kServerPipe = AsWide(kLocalPipePath);

struct Outcome {
    std::optional<std::u16string> failure;
    std::u16string status;
    Bytes answer;
};

Outcome Exchange(const std::u16string& serverList, const Bytes& request) {
    Win32PipeConnector connector;
    Outcome outcome;
    try {
        ServerExchange(connector, serverList, request, outcome.answer,
                       [&](const std::u16string& text) { outcome.status = text; });
    } catch (const Failure& failure) {
        outcome.failure = failure.Message();
    }
    return outcome;
}

TEST(Win32PipeConnectorTest, DeliversTheRequestAndReassemblesAChunkedAnswer) {
    Bytes body(200000);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<std::uint8_t>(i * 7);
    }
    const Bytes request{'<', 'r', '/', '>'};
    Bytes received;
    {
        ScriptedPipeServer server(kServerPipe, {[&](ServerSide& side) {
                                      received = side.ReadRequest();
                                      side.WriteLength(static_cast<std::uint32_t>(body.size()));
                                      side.Write(body.data(), 1000);
                                      side.Write(body.data() + 1000, 99000);
                                      side.Write(body.data() + 100000, 100000);
                                  }});
        ASSERT_TRUE(server.Listening());
        const Outcome outcome = Exchange(u".", request);
        EXPECT_FALSE(outcome.failure);
        EXPECT_EQ(outcome.status, u"Connected to .");
        EXPECT_EQ(outcome.answer, body);
    }
    EXPECT_EQ(received, request);
}

TEST(Win32PipeConnectorTest, SkipsAnEmptyAnswerAndTriesTheNextEntry) {
    ScriptedPipeServer server(kServerPipe, {[](ServerSide& side) {
                                                side.ReadRequest();
                                                side.WriteLength(0);
                                            },
                                            [](ServerSide& side) {
                                                side.ReadRequest();
                                                side.WriteLength(2);
                                                side.Write(Bytes{7, 8});
                                            }});
    ASSERT_TRUE(server.Listening());
    const Outcome outcome = Exchange(u". , .", Bytes{'x'});
    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.answer, (Bytes{7, 8}));
}

TEST(Win32PipeConnectorTest, ReportsAnErrorAnswerAsItsText) {
    ScriptedPipeServer server(kServerPipe, {[](ServerSide& side) {
                                  side.ReadRequest();
                                  const Bytes text = TextToUtf16Le(u"ERROR: unknown command");
                                  side.WriteLength(static_cast<std::uint32_t>(text.size()));
                                  side.Write(text);
                              }});
    ASSERT_TRUE(server.Listening());
    const Outcome outcome = Exchange(u".", Bytes{'x'});
    EXPECT_EQ(outcome.failure, u"ERROR: unknown command");
    EXPECT_EQ(outcome.status, u"Connected to .");
}

TEST(Win32PipeConnectorTest, KeepsWhatArrivedWhenTheServerClosesMidBody) {
    ScriptedPipeServer server(kServerPipe, {[](ServerSide& side) {
                                  side.ReadRequest();
                                  side.WriteLength(0xFFFFFFFFu);
                                  side.Write(Bytes{1, 2, 3});
                              }});
    ASSERT_TRUE(server.Listening());
    const Outcome outcome = Exchange(u".", Bytes{'x'});
    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.answer, (Bytes{1, 2, 3}));
}

TEST(Win32PipeConnectorTest, AServerClosingBeforeTheLengthIsAnOsFailure) {
    ScriptedPipeServer server(kServerPipe, {[](ServerSide& side) { side.ReadRequest(); }});
    ASSERT_TRUE(server.Listening());
    const Outcome outcome = Exchange(u".", Bytes{'x'});
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->rfind(u"System Error.  Code: ", 0), 0u)
        << std::string(outcome.failure->begin(), outcome.failure->end());
    EXPECT_TRUE(outcome.status.empty());
}

TEST(Win32PipeConnectorTest, AnUnreachableNameFailsWithTheSystemText) {
    const Outcome outcome = Exchange(u".", Bytes{'x'});
    ASSERT_TRUE(outcome.failure);
    const std::u16string expected =
        u"Unable to connect to the database. Check the server name in preferences. ";
    EXPECT_EQ(outcome.failure->substr(0, expected.size()), expected);
    EXPECT_GT(outcome.failure->size(), expected.size());
    EXPECT_NE(outcome.failure->back(), u'.');
    EXPECT_EQ(outcome.status, u"Communication error");
}

TEST(Win32PipeConnectorTest, OpensAndClosesAgainOnTheSameConnector) {
    ScriptedPipeServer server(kServerPipe, {[](ServerSide& side) {
                                                side.ReadRequest();
                                                side.WriteLength(1);
                                                side.Write(Bytes{1});
                                            },
                                            [](ServerSide& side) {
                                                side.ReadRequest();
                                                side.WriteLength(1);
                                                side.Write(Bytes{2});
                                            }});
    ASSERT_TRUE(server.Listening());
    Win32PipeConnector connector;
    Bytes first;
    Bytes second;
    ServerExchange(connector, u".", Bytes{'a'}, first, nullptr);
    ServerExchange(connector, u".", Bytes{'b'}, second, nullptr);
    EXPECT_EQ(first, Bytes{1});
    EXPECT_EQ(second, Bytes{2});
}

}  // namespace
}  // namespace kestrine
