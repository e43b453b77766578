#include "exchange/server_exchange.h"

#include <new>
#include <vector>

#include "common/failure.h"
#include "common/text.h"
#include "protocol/framing.h"

namespace kestrine {
namespace {

// Closes the connection on every way out of TryServer once it was opened.
class ConnectionGuard {
  public:
    explicit ConnectionGuard(PipeConnector& connector) : connector_(connector) {}
    ~ConnectionGuard() { connector_.Close(); }
    ConnectionGuard(const ConnectionGuard&) = delete;
    ConnectionGuard& operator=(const ConnectionGuard&) = delete;

  private:
    PipeConnector& connector_;
};

[[noreturn]] void ThrowOsFailure(const PipeConnector& connector) {
    const std::uint32_t code = connector.LastError();
    if (code == 0) {
        throw Failure(u"A call to an OS function failed");
    }
    // Codes are shown as the signed number the system's headers use for HRESULT-style values.
    throw Failure(u"System Error.  Code: " + ToText(static_cast<std::int32_t>(code)) + u".\r\n" +
                  connector.SystemMessage(code));
}

// The length prefix may arrive in pieces; a failed or empty read before all four bytes
// is an operating-system failure.
std::uint32_t ReadAnswerLength(PipeConnector& connector) {
    LengthPrefix prefix{};
    std::size_t have = 0;
    while (have < prefix.size()) {
        std::size_t got = 0;
        if (!connector.Read(std::span(prefix).subspan(have), got) || got == 0) {
            ThrowOsFailure(connector);
        }
        have += got;
    }
    return DecodeLength(prefix);
}

void AppendBounded(Bytes& answer, std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxAnswerBytes - answer.size()) {
        throw Failure(u"insufficient memory");
    }
    try {
        answer.insert(answer.end(), bytes.begin(), bytes.end());
    } catch (const std::bad_alloc&) {
        throw Failure(u"insufficient memory");
    }
}

std::vector<std::u16string> SplitServerList(const std::u16string& serverList) {
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = serverList.find(u',', start);
        const std::size_t end = comma == std::u16string::npos ? serverList.size() : comma;
        entries.push_back(Trim(std::u16string_view(serverList).substr(start, end - start)));
        if (comma == std::u16string::npos) {
            return entries;
        }
        start = comma + 1;
    }
}

}  // namespace

bool TryServer(PipeConnector& connector, const std::u16string& name, const Bytes& request,
               Bytes& answer) {
    const std::u16string path = PipePathFor(name);
    if (!connector.Wait(path, kPipeWaitMs)) {
        return false;
    }
    if (!connector.Open(path)) {
        return false;
    }
    const ConnectionGuard guard(connector);
    if (!connector.SetByteMode()) {
        return false;
    }
    const auto prefix = EncodeLength(static_cast<std::uint32_t>(request.size()));
    if (!connector.Write(prefix)) {
        ThrowOsFailure(connector);
    }
    if (!connector.Write(request)) {
        ThrowOsFailure(connector);
    }
    const std::uint32_t announced = ReadAnswerLength(connector);

    // Only bytes that actually arrived are kept; the announced length only says when to stop.
    bool received = false;
    std::vector<std::uint8_t> chunk(kReadChunk);
    while (answer.size() < announced) {
        std::size_t got = 0;
        if (!connector.Read(chunk, got) || got == 0) {
            break;
        }
        AppendBounded(answer, std::span(chunk).first(got));
        received = true;
    }
    return received;
}

void ServerExchange(PipeConnector& connector, const std::u16string& serverList,
                    const Bytes& request, Bytes& answer, const StatusSink& status) {
    if (request.size() >= kRequestLimit) {
        throw Failure(u"Too long request");
    }
    answer.clear();
    // The failure text names the last error of these attempts, never one kept from an
    // earlier exchange (an attempt can fail without a failed call, e.g. an empty answer).
    connector.ClearLastError();
    bool connected = false;
    for (const std::u16string& entry : SplitServerList(serverList)) {
        if (TryServer(connector, entry, request, answer)) {
            connected = true;
            break;
        }
    }
    if (!connected) {
        if (status) {
            status(u"Communication error");
        }
        throw Failure(u"Unable to connect to the database. Check the server name in preferences. " +
                      connector.SystemMessage(connector.LastError()));
    }
    if (status) {
        status(u"Connected to " + AsciiUpper(serverList));
    }
    if (IsErrorAnswer(answer)) {
        throw Failure(Utf16LeToText(answer));
    }
}

}  // namespace kestrine
