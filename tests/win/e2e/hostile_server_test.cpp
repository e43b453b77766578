// The tool against servers that misbehave on purpose: each must end in a clear failure
// with memory bounded, never a crash or a hang.
#include <gtest/gtest.h>

#include <zlib.h>

#include "e2e/programs.h"
#include "pipe/scripted_pipe_server.h"

namespace kestrine {
namespace {

using testing::BuiltProgram;
using testing::Lines;
using testing::ProgramResult;
using testing::RunProgram;
using testing::ScriptedPipeServer;
using testing::ServerSide;

const wchar_t* const kServerPipe = AsWide(kLocalPipePath);

ProgramResult SearchThrough(ScriptedPipeServer::Behaviour behaviour) {
    ScriptedPipeServer server(kServerPipe, {std::move(behaviour)});
    EXPECT_TRUE(server.Listening());
    return RunProgram(BuiltProgram(L"tool\\kestrine.exe"), {L"search", L"--server", L".", L"x"});
}

// Deflates input with the given flush mode and returns what zlib wrote.
Bytes DeflateStep(z_stream& stream, std::uint8_t* input, std::size_t size, int flush) {
    Bytes out;
    std::uint8_t buffer[1 << 16];
    stream.next_in = input;
    stream.avail_in = static_cast<uInt>(size);
    do {
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        deflate(&stream, flush);
        out.insert(out.end(), buffer, stream.next_out);
    } while (stream.avail_out == 0);
    return out;
}

// A valid zlib stream of megabytes MiB of zeros, about a thousandth of that in size. After
// a full flush each further MiB compresses to the same self-contained bytes, so they are
// compressed once and repeated; the trailer's Adler-32 is computed for the whole.
Bytes ZlibBomb(std::size_t megabytes) {
    std::vector<std::uint8_t> zeros(1 << 20);
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    Bytes bomb = DeflateStep(stream, zeros.data(), zeros.size(), Z_FULL_FLUSH);
    const Bytes block = DeflateStep(stream, zeros.data(), zeros.size(), Z_FULL_FLUSH);
    for (std::size_t i = 1; i < megabytes; ++i) {
        bomb.insert(bomb.end(), block.begin(), block.end());
    }
    Bytes tail = DeflateStep(stream, nullptr, 0, Z_FINISH);
    deflateEnd(&stream);
    const uLong mebibyte = adler32(1, zeros.data(), static_cast<uInt>(zeros.size()));
    uLong adler = adler32(0, nullptr, 0);
    for (std::size_t i = 0; i < megabytes; ++i) {
        adler = adler32_combine(adler, mebibyte, static_cast<z_off_t>(zeros.size()));
    }
    for (int i = 0; i < 4; ++i) {
        tail[tail.size() - 4 + i] = static_cast<std::uint8_t>(adler >> (24 - 8 * i));
    }
    bomb.insert(bomb.end(), tail.begin(), tail.end());
    return bomb;
}

TEST(HostileServerTest, AZlibBombEndsInInsufficientMemory) {
    // 1 GiB and 64 MiB, past the client's bound of 1 GiB.
    const Bytes bomb = ZlibBomb(1024 + 64);
    ASSERT_LT(bomb.size(), std::size_t{4} << 20);
    const ProgramResult result = SearchThrough([&](ServerSide& side) {
        side.ReadRequest();
        side.WriteLength(static_cast<std::uint32_t>(bomb.size()));
        side.Write(bomb);
    });
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(Lines(result.err), std::vector<std::string>{"insufficient memory"});
}

TEST(HostileServerTest, AServerThatNeverStopsEndsInInsufficientMemory) {
    const ProgramResult result = SearchThrough([](ServerSide& side) {
        side.ReadRequest();
        side.WriteLength(0xFFFFFFFFu);
        const Bytes chunk(1 << 16, 0x78);
        while (side.Write(chunk)) {
        }
    });
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(Lines(result.err), std::vector<std::string>{"insufficient memory"});
}

TEST(HostileServerTest, AServerThatAnnounces4GiBAndClosesFailsInDecoding) {
    const ProgramResult result = SearchThrough([](ServerSide& side) {
        side.ReadRequest();
        side.WriteLength(0xFFFFFFFFu);
        side.Write(Bytes{0x78, 0x9C, 0x63, 0x64});
    });
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_FALSE(result.err.empty());
    EXPECT_TRUE(result.out.empty());
    RecordProperty("message", result.err);
}

}  // namespace
}  // namespace kestrine
