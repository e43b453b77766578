#include "common/chunked_inflater.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "common/failure.h"
#include "common/zlib_error.h"

namespace kestrine {
namespace {

// zlib counts in uInt; hand it at most this much per call so that 64-bit sizes never wrap.
constexpr std::size_t kMaxStep = std::numeric_limits<uInt>::max();

}  // namespace

// Owns the zlib stream so that inflateEnd runs on every path.
struct ChunkedInflater::Stream {
    Stream() {
        const int result = inflateInit2(&z, 15);
        if (result != Z_OK) {
            throw Failure(ZlibErrorText(result));
        }
    }
    ~Stream() { inflateEnd(&z); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    z_stream z{};
};

ChunkedInflater::ChunkedInflater(std::span<const std::uint8_t> compressed, std::size_t maxSize)
    : stream_(std::make_unique<Stream>()), input_(compressed), maxSize_(maxSize) {}

ChunkedInflater::~ChunkedInflater() = default;

std::size_t ChunkedInflater::Inflate(std::span<std::uint8_t> room) {
    std::size_t written = 0;
    while (!ended_ && written < room.size()) {
        if (totalOut_ == maxSize_) {
            // The bound is reached and the stream goes on.
            throw Failure(u"insufficient memory");
        }
        z_stream& z = stream_->z;
        const std::size_t inStep = std::min(input_.size() - inUsed_, kMaxStep);
        const std::size_t outStep =
            std::min({room.size() - written, maxSize_ - totalOut_, kMaxStep});
        z.next_in = const_cast<Bytef*>(input_.data() + inUsed_);
        z.avail_in = static_cast<uInt>(inStep);
        z.next_out = room.data() + written;
        z.avail_out = static_cast<uInt>(outStep);

        const int result = inflate(&z, Z_NO_FLUSH);
        inUsed_ += inStep - z.avail_in;
        const std::size_t produced = outStep - z.avail_out;
        written += produced;
        totalOut_ += produced;

        if (result == Z_STREAM_END) {
            ended_ = true;
        } else if (result == Z_BUF_ERROR && z.avail_out > 0) {
            // No progress with room to write: the input ran out before the stream's end.
            ended_ = true;
        } else if (result != Z_OK && result != Z_BUF_ERROR) {
            throw Failure(ZlibErrorText(result == Z_NEED_DICT ? Z_DATA_ERROR : result));
        }
    }
    return written;
}

}  // namespace kestrine
