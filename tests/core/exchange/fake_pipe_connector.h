#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/text.h"
#include "exchange/pipe_connector.h"
#include "protocol/framing.h"

namespace kestrine::testing {

// One read as the scripted server delivers it.
struct ScriptedRead {
    bool ok = true;
    Bytes bytes;
};

// How one scripted server behaves. Once its reads run out, a read fails with
// readErrorCode, as a closed pipe does; an endless server keeps filling the buffer instead.
struct ScriptedServer {
    bool waitOk = true;
    bool openOk = true;
    bool byteModeOk = true;
    std::vector<bool> writeOk;  // per write, in order; missing entries succeed
    std::deque<ScriptedRead> reads;
    bool endless = false;
    std::uint32_t errorCode = 0;        // reported for a failed wait, open, mode or write
    std::uint32_t readErrorCode = 109;  // a broken pipe
};

inline Bytes Prefix(std::uint32_t length) {
    const LengthPrefix prefix = EncodeLength(length);
    return Bytes(prefix.begin(), prefix.end());
}

// Reads that deliver a whole answer: length prefix, then the body in the given chunks.
inline std::deque<ScriptedRead> AnswerReads(std::uint32_t announced,
                                            const std::vector<Bytes>& chunks) {
    std::deque<ScriptedRead> reads{{true, Prefix(announced)}};
    for (const Bytes& chunk : chunks) {
        reads.push_back({true, chunk});
    }
    return reads;
}

// Servers are keyed by pipe path. Calls are logged as short words so a test can check
// their order; everything written is kept.
class FakePipeConnector : public PipeConnector {
  public:
    std::map<std::u16string, ScriptedServer> servers;
    std::vector<std::string> log;
    std::vector<std::u16string> waited;
    std::vector<Bytes> writes;
    std::uint32_t lastError = 0;
    int openConnections = 0;

    bool Wait(const std::u16string& path, std::uint32_t timeoutMs) override {
        waited.push_back(path);
        log.push_back("wait");
        timeoutMs_ = timeoutMs;
        const auto found = servers.find(path);
        if (found == servers.end()) {
            return Fail(53);  // the network path was not found
        }
        current_ = &found->second;
        return current_->waitOk || Fail(current_->errorCode);
    }
    bool Open(const std::u16string&) override {
        log.push_back("open");
        if (!current_->openOk) {
            return Fail(current_->errorCode);
        }
        ++openConnections;
        writeIndex_ = 0;
        return true;
    }
    bool SetByteMode() override {
        log.push_back("mode");
        return current_->byteModeOk || Fail(current_->errorCode);
    }
    bool Write(std::span<const std::uint8_t> data) override {
        log.push_back("write");
        writes.emplace_back(data.begin(), data.end());
        const std::size_t index = writeIndex_++;
        const bool ok = index >= current_->writeOk.size() || current_->writeOk[index];
        return ok || Fail(current_->errorCode);
    }
    bool Read(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
        log.push_back("read");
        bytesRead = 0;
        if (current_->reads.empty()) {
            if (current_->endless) {
                std::fill(buffer.begin(), buffer.end(), std::uint8_t{0x5A});
                bytesRead = buffer.size();
                return true;
            }
            return Fail(current_->readErrorCode);
        }
        ScriptedRead& next = current_->reads.front();
        if (!next.ok) {
            current_->reads.pop_front();
            return Fail(current_->readErrorCode);
        }
        // A read takes what fits; the rest stays for the next read, as on a byte pipe.
        bytesRead = std::min(buffer.size(), next.bytes.size());
        std::copy_n(next.bytes.begin(), bytesRead, buffer.begin());
        next.bytes.erase(next.bytes.begin(), next.bytes.begin() + bytesRead);
        if (next.bytes.empty()) {
            current_->reads.pop_front();
        }
        return true;
    }
    void Close() override {
        log.push_back("close");
        if (openConnections > 0) {
            --openConnections;
        }
    }
    std::uint32_t LastError() const override { return lastError; }
    void ClearLastError() override { lastError = 0; }
    std::u16string SystemMessage(std::uint32_t code) const override {
        return u"message " + ToText(code);
    }

    std::uint32_t timeout() const { return timeoutMs_; }

  private:
    bool Fail(std::uint32_t code) {
        lastError = code;
        return false;
    }

    ScriptedServer* current_ = nullptr;
    std::size_t writeIndex_ = 0;
    std::uint32_t timeoutMs_ = 0;
};

}  // namespace kestrine::testing
