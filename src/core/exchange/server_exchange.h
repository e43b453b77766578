#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "common/bytes.h"
#include "exchange/pipe_connector.h"
#include "protocol/framing.h"

namespace kestrine {

// Receives the connection text for the status bar ("Connected to ..." or
// "Communication error"), so the exchange needs no window.
using StatusSink = std::function<void(const std::u16string&)>;

// A request of this many bytes or more is refused before any connection is made.
inline constexpr std::size_t kRequestLimit = 65535;
// How long to wait for a busy pipe instance, in milliseconds.
inline constexpr std::uint32_t kPipeWaitMs = 120000;
// The size of one read of the answer body.
inline constexpr std::size_t kReadChunk = 65535;

// The largest raw answer body accepted. The announced length cannot be trusted (it may
// claim 4 GiB, or the server may keep sending past it); a real page of results is a few
// megabytes compressed. The 32-bit build keeps room in its 2 GiB address space for the
// inflated copy and the decoded records.
inline constexpr std::size_t kMaxAnswerBytes =
    sizeof(void*) >= 8 ? std::size_t{256} << 20 : std::size_t{64} << 20;

// Sends one request document to the first server of serverList (comma-separated) that
// answers and leaves the answer body, still compressed, in answer. Throws Failure.
void ServerExchange(PipeConnector& connector, const std::u16string& serverList,
                    const Bytes& request, Bytes& answer, const StatusSink& status);

// One attempt against one server: true when at least one chunk of the body arrived.
// Operating-system failures while writing or reading the length are thrown as Failure.
bool TryServer(PipeConnector& connector, const std::u16string& name, const Bytes& request,
               Bytes& answer);

}  // namespace kestrine
