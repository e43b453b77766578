#include "common/chunked_inflater.h"

#include <algorithm>
#include <limits>

#include "common/failure.h"
#include "common/inflate_stream.h"
#include "common/zlib_error.h"

namespace kestrine {

// Kept out of the header so that its users need no zlib.
struct ChunkedInflater::Stream {
    InflateStream inflate;
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
        z_stream& z = *stream_->inflate.get();
        const std::size_t inStep = std::min(input_.size() - inUsed_, kMaxZlibStep);
        const std::size_t outStep =
            std::min({room.size() - written, maxSize_ - totalOut_, kMaxZlibStep});
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
