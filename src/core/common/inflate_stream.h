#pragma once

#include <zlib.h>

#include <cstddef>
#include <limits>

#include "common/failure.h"
#include "common/zlib_error.h"

namespace kestrine {

// zlib counts in uInt; hand it at most this much per call so that 64-bit sizes never wrap.
inline constexpr std::size_t kMaxZlibStep = std::numeric_limits<uInt>::max();

// Owns one inflate stream so that inflateEnd runs on every path.
class InflateStream {
  public:
    InflateStream() {
        const int result = inflateInit2(&stream_, 15);
        if (result != Z_OK) {
            throw Failure(ZlibErrorText(result));
        }
    }
    ~InflateStream() { inflateEnd(&stream_); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    z_stream* operator->() { return &stream_; }
    z_stream* get() { return &stream_; }

  private:
    z_stream stream_{};
};

}  // namespace kestrine
