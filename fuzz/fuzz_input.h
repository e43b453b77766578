#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/bytes.h"
#include "common/failure.h"
#include "common/inflate.h"

namespace kestrine {

// Inflating fuzz input may legitimately produce a lot; keep it well inside the fuzzer's
// memory limit.
inline constexpr std::size_t kFuzzInflateLimit = std::size_t{64} << 20;

// Runs read over the input as a value stream, and again over the input inflated. Failure is
// the expected outcome for most inputs; anything else (a crash, a sanitizer report, another
// exception) is a finding.
template <typename Read>
void ReadRawAndInflated(const std::uint8_t* data, std::size_t size, Read read) {
    const std::span<const std::uint8_t> raw(data, size);
    try {
        read(raw);
    } catch (const Failure&) {
    }
    Bytes inflated(raw.begin(), raw.end());
    try {
        InflateInPlace(inflated, kFuzzInflateLimit);
        read(std::span<const std::uint8_t>(inflated));
    } catch (const Failure&) {
    }
}

}  // namespace kestrine
