#include "exchange/server_exchange.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/failure.h"
#include "common/text.h"
#include "exchange/fake_pipe_connector.h"

namespace kestrine {
namespace {

using testing::AnswerReads;
using testing::FakePipeConnector;
using testing::Prefix;
using testing::ScriptedRead;
using testing::ScriptedServer;

ScriptedServer Answering(const Bytes& body) {
    ScriptedServer server;
    server.reads = AnswerReads(static_cast<std::uint32_t>(body.size()), {body});
    return server;
}

ScriptedServer Unreachable(std::uint32_t code) {
    ScriptedServer server;
    server.waitOk = false;
    server.errorCode = code;
    return server;
}

// Runs one exchange and keeps what the caller would see.
struct Outcome {
    std::optional<std::u16string> failure;
    std::vector<std::u16string> statuses;
    Bytes answer;
};

Outcome Exchange(FakePipeConnector& connector, const std::u16string& serverList,
                 const Bytes& request = Bytes{'<', '/', '>'}, Bytes answer = {}) {
    Outcome outcome;
    try {
        ServerExchange(connector, serverList, request, answer,
                       [&](const std::u16string& text) { outcome.statuses.push_back(text); });
    } catch (const Failure& failure) {
        outcome.failure = failure.Message();
    }
    outcome.answer = std::move(answer);
    return outcome;
}

const Bytes kBody{0x78, 0x9C, 0x01, 0x02, 0x03};

TEST(ServerExchangeTest, SendsLengthAndRequestAsTwoWritesAndReturnsTheBody) {
    FakePipeConnector connector;
    connector.servers[u"\\\\alpha\\pipe\\vellmora_kestrine_server"] = Answering(kBody);
    const Bytes request{'a', 'b', 'c'};

    const Outcome outcome = Exchange(connector, u"alpha", request, Bytes{9, 9});

    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.answer, kBody);
    EXPECT_EQ(outcome.statuses, std::vector<std::u16string>{u"Connected to ALPHA"});
    ASSERT_EQ(connector.writes.size(), 2u);
    EXPECT_EQ(connector.writes[0], Prefix(3));
    EXPECT_EQ(connector.writes[1], request);
    EXPECT_EQ(connector.timeout(), 120000u);
    EXPECT_EQ(connector.log.back(), "close");
    EXPECT_EQ(connector.openConnections, 0);
}

TEST(ServerExchangeTest, RefusesRequestsOf65535BytesAndMoreWithoutTouchingAnything) {
    FakePipeConnector connector;
    connector.servers[PipePathFor(u"alpha")] = Answering(kBody);

    const Outcome refused = Exchange(connector, u"alpha", Bytes(65535, 'x'), Bytes{7});
    EXPECT_EQ(refused.failure, u"Too long request");
    EXPECT_EQ(refused.answer, Bytes{7});
    EXPECT_TRUE(refused.statuses.empty());
    EXPECT_TRUE(connector.log.empty());

    const Outcome sent = Exchange(connector, u"alpha", Bytes(65534, 'x'));
    EXPECT_FALSE(sent.failure);
    ASSERT_EQ(connector.writes.size(), 2u);
    EXPECT_EQ(connector.writes[0], Prefix(65534));
    EXPECT_EQ(connector.writes[1].size(), 65534u);
}

TEST(ServerExchangeTest, TriesEveryTrimmedEntryInOrderAndShowsTheWholeListUpperCased) {
    struct Case {
        std::u16string list;
        std::vector<std::u16string> tried;  // names whose pipe is waited for, in order
        std::u16string status;
    };
    const Case cases[] = {
        {u"alpha, beta", {u"alpha", u"beta"}, u"Connected to ALPHA, BETA"},
        {u"\talpha,,beta ", {u"alpha", u"", u"beta"}, u"Connected to \tALPHA,,BETA "},
        {u"alpha,", {u"alpha", u""}, u""},
        {u"", {u""}, u""},
        {u"\u00e4lpha,beta", {u"\u00e4lpha", u"beta"}, u"Connected to \u00e4LPHA,BETA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list.begin(), c.list.end()));
        FakePipeConnector connector;
        // Only "beta" answers; every other pipe is unreachable.
        connector.servers[PipePathFor(u"beta")] = Answering(kBody);

        const Outcome outcome = Exchange(connector, c.list);

        std::vector<std::u16string> expected;
        for (const std::u16string& name : c.tried) {
            expected.push_back(PipePathFor(name));
        }
        EXPECT_EQ(connector.waited, expected);
        if (c.status.empty()) {
            EXPECT_EQ(outcome.statuses, std::vector<std::u16string>{u"Communication error"});
            EXPECT_TRUE(outcome.failure);
        } else {
            EXPECT_EQ(outcome.statuses, std::vector<std::u16string>{c.status});
            EXPECT_EQ(outcome.answer, kBody);
        }
    }
}

TEST(ServerExchangeTest, ReportsTheLastErrorWhenNoServerAnswers) {
    FakePipeConnector connector;
    connector.servers[PipePathFor(u"alpha")] = Unreachable(231);  // all instances busy
    ScriptedServer closed;
    closed.openOk = false;
    closed.errorCode = 5;
    connector.servers[PipePathFor(u"beta")] = closed;

    const Outcome outcome = Exchange(connector, u"alpha,beta", Bytes{1}, Bytes{4, 4});

    EXPECT_EQ(outcome.failure,
              u"Unable to connect to the database. Check the server name in preferences. "
              u"message 5");
    EXPECT_EQ(outcome.statuses, std::vector<std::u16string>{u"Communication error"});
    EXPECT_TRUE(outcome.answer.empty());
}

TEST(ServerExchangeTest, TheFailureNamesOnlyAnErrorOfThisExchange) {
    FakePipeConnector connector;
    connector.servers[PipePathFor(u"busy")] = Unreachable(231);
    ScriptedServer emptyAnswer;  // no call fails: the attempt just brings nothing
    emptyAnswer.reads = AnswerReads(0, {});
    connector.servers[PipePathFor(u"empty")] = emptyAnswer;
    const std::u16string prefix =
        u"Unable to connect to the database. Check the server name in preferences. ";

    EXPECT_EQ(Exchange(connector, u"busy").failure, prefix + u"message 231");
    connector.servers[PipePathFor(u"empty")] = emptyAnswer;
    EXPECT_EQ(Exchange(connector, u"empty").failure, prefix + u"message 0");
    // Within one exchange the last error of its attempts counts, even if a later one
    // failed without an error of its own.
    connector.servers[PipePathFor(u"empty")] = emptyAnswer;
    EXPECT_EQ(Exchange(connector, u"busy,empty").failure, prefix + u"message 231");
}

TEST(ServerExchangeTest, SkipsServersThatCannotBeUsedAndClosesWhatWasOpened) {
    struct Case {
        const char* name;
        ScriptedServer first;
        std::vector<std::string> firstLog;
    };
    ScriptedServer noMode;
    noMode.byteModeOk = false;
    ScriptedServer emptyAnswer;
    emptyAnswer.reads = AnswerReads(0, {});
    ScriptedServer silent;  // announces a body, then closes at once
    silent.reads = AnswerReads(100, {});
    ScriptedServer zeroRead;  // a successful read of nothing ends the reading
    zeroRead.reads = AnswerReads(100, {Bytes{}});
    zeroRead.reads.push_back({true, Bytes{1, 2, 3}});
    const Case cases[] = {
        {"wait fails", Unreachable(2), {"wait"}},
        {"byte mode fails", noMode, {"wait", "open", "mode", "close"}},
        {"length 0", emptyAnswer, {"wait", "open", "mode", "write", "write", "read", "close"}},
        {"closes before the body",
         silent,
         {"wait", "open", "mode", "write", "write", "read", "read", "close"}},
        {"empty read",
         zeroRead,
         {"wait", "open", "mode", "write", "write", "read", "read", "close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePipeConnector connector;
        connector.servers[PipePathFor(u"alpha")] = c.first;
        connector.servers[PipePathFor(u"beta")] = Answering(kBody);

        const Outcome outcome = Exchange(connector, u"alpha,beta");

        EXPECT_FALSE(outcome.failure);
        EXPECT_EQ(outcome.answer, kBody);
        const std::vector<std::string> firstLog(connector.log.begin(),
                                                connector.log.begin() + c.firstLog.size());
        EXPECT_EQ(firstLog, c.firstLog);
        EXPECT_EQ(connector.waited.size(), 2u);
        EXPECT_EQ(connector.openConnections, 0);
    }
}

TEST(ServerExchangeTest, ReassemblesChunksAndKeepsWhatArrivesBeforeABreak) {
    struct Case {
        const char* name;
        std::deque<ScriptedRead> reads;
        Bytes expected;
    };
    const Case cases[] = {
        {"several chunks", AnswerReads(6, {{1, 2}, {3}, {4, 5, 6}}), {1, 2, 3, 4, 5, 6}},
        {"cut short", AnswerReads(6, {{1, 2}}), {1, 2}},
        {"bytes beyond the length in the last chunk stay",
         AnswerReads(3, {{1, 2}, {3, 4, 5}}),
         {1, 2, 3, 4, 5}},
        {"length prefix in pieces", {{true, {3, 0}}, {true, {0}}, {true, {0, 7, 8, 9}}}, {7, 8, 9}},
        {"failed read mid-body", {{true, Prefix(4)}, {true, {1}}, {false, {}}, {true, {2}}}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePipeConnector connector;
        ScriptedServer server;
        server.reads = c.reads;
        connector.servers[PipePathFor(u"alpha")] = server;

        const Outcome outcome = Exchange(connector, u"alpha");

        EXPECT_FALSE(outcome.failure);
        EXPECT_EQ(outcome.answer, c.expected);
    }
}

TEST(ServerExchangeTest, ReadsInChunksOf65535Bytes) {
    FakePipeConnector connector;
    const Bytes body(150000, 0x41);
    connector.servers[PipePathFor(u"alpha")] = Answering(body);

    const Outcome outcome = Exchange(connector, u"alpha");

    EXPECT_EQ(outcome.answer, body);
    // The prefix, then 65535 + 65535 + 18930.
    EXPECT_EQ(std::count(connector.log.begin(), connector.log.end(), "read"), 4);
}

TEST(ServerExchangeTest, TurnsAnErrorAnswerIntoItsText) {
    struct Case {
        Bytes body;
        std::optional<std::u16string> failure;
    };
    Bytes elevenBytes = TextToUtf16Le(u"ERROR");
    elevenBytes.push_back(':');
    const Case cases[] = {
        {TextToUtf16Le(u"ERROR:"), u"ERROR:"},
        {TextToUtf16Le(u"ERROR: no such folder"), u"ERROR: no such folder"},
        {elevenBytes, std::nullopt},
        {TextToUtf16Le(u"error: lower case"), std::nullopt},
        {Bytes{'E', 'R', 'R', 'O', 'R', ':', 0, 0, 0, 0, 0, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        FakePipeConnector connector;
        connector.servers[PipePathFor(u"alpha")] = Answering(c.body);

        const Outcome outcome = Exchange(connector, u"alpha");

        EXPECT_EQ(outcome.failure, c.failure);
        EXPECT_EQ(outcome.statuses, std::vector<std::u16string>{u"Connected to ALPHA"});
        EXPECT_EQ(outcome.answer, c.body);
    }
}

TEST(ServerExchangeTest, OsFailuresStopTheExchangeAtOnce) {
    struct Case {
        const char* name;
        std::vector<bool> writeOk;
        std::deque<ScriptedRead> reads;
        std::uint32_t code;
        std::u16string failure;
    };
    const Case cases[] = {
        {"length write", {false}, {}, 232, u"System Error.  Code: 232.\r\nmessage 232"},
        {"request write", {true, false}, {}, 0, u"A call to an OS function failed"},
        {"length read", {}, {{false, {}}}, 109, u"System Error.  Code: 109.\r\nmessage 109"},
        {"length read of nothing", {}, {{true, {}}}, 0, u"A call to an OS function failed"},
        {"length cut short",
         {},
         {{true, {1, 0}}, {false, {}}},
         109,
         u"System Error.  Code: 109.\r\nmessage 109"},
        {"negative code",
         {false},
         {},
         0x80070005u,
         u"System Error.  Code: -2147024891.\r\nmessage 2147942405"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePipeConnector connector;
        ScriptedServer failing;
        failing.writeOk = c.writeOk;
        failing.reads = c.reads;
        failing.errorCode = c.code;
        failing.readErrorCode = c.code;
        connector.servers[PipePathFor(u"alpha")] = failing;
        connector.servers[PipePathFor(u"beta")] = Answering(kBody);

        const Outcome outcome = Exchange(connector, u"alpha,beta");

        EXPECT_EQ(outcome.failure, c.failure);
        EXPECT_TRUE(outcome.statuses.empty());
        EXPECT_EQ(connector.waited.size(), 1u);
        EXPECT_EQ(connector.log.back(), "close");
        EXPECT_EQ(connector.openConnections, 0);
    }
}

TEST(ServerExchangeTest, AHugeAnnouncedLengthKeepsOnlyWhatArrived) {
    FakePipeConnector connector;
    ScriptedServer liar;
    liar.reads = AnswerReads(0xFFFFFFFFu, {{1, 2, 3}});
    connector.servers[PipePathFor(u"alpha")] = liar;

    const Outcome outcome = Exchange(connector, u"alpha");

    EXPECT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.answer, (Bytes{1, 2, 3}));
    EXPECT_LT(outcome.answer.capacity(), std::size_t{1} << 20);
}

TEST(ServerExchangeTest, AServerThatNeverStopsSendingFailsAtTheBound) {
    FakePipeConnector connector;
    ScriptedServer endless;
    endless.reads = AnswerReads(0xFFFFFFFFu, {});
    endless.endless = true;
    connector.servers[PipePathFor(u"alpha")] = endless;

    const Outcome outcome = Exchange(connector, u"alpha");

    EXPECT_EQ(outcome.failure, u"insufficient memory");
    EXPECT_LE(outcome.answer.size(), kMaxAnswerBytes);
    EXPECT_TRUE(outcome.statuses.empty());
    EXPECT_EQ(connector.openConnections, 0);
}

}  // namespace
}  // namespace kestrine
