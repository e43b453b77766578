#include "common/inflate.h"

#include <algorithm>
#include <limits>

#include "common/failure.h"
#include "common/inflate_stream.h"
#include "common/zlib_error.h"

namespace kestrine {

void InflateInPlace(Bytes& buffer, std::size_t maxSize) {
    InflateStream stream;
    Bytes out;
    // Answers compress well; start near the likely size and double from there.
    const std::size_t guess = buffer.size() > maxSize / 4 ? maxSize : buffer.size() * 4;
    out.resize(std::min(maxSize, std::max<std::size_t>(guess, 4096)));
    std::size_t inUsed = 0;
    std::size_t outUsed = 0;

    for (;;) {
        if (outUsed == out.size()) {
            if (out.size() >= maxSize) {
                throw Failure(u"insufficient memory");
            }
            const std::size_t grown = out.size() > maxSize / 2 ? maxSize : out.size() * 2;
            out.resize(grown);
        }
        const std::size_t inStep = std::min(buffer.size() - inUsed, kMaxZlibStep);
        const std::size_t outStep = std::min(out.size() - outUsed, kMaxZlibStep);
        stream->next_in = buffer.data() + inUsed;
        stream->avail_in = static_cast<uInt>(inStep);
        stream->next_out = out.data() + outUsed;
        stream->avail_out = static_cast<uInt>(outStep);

        const int result = inflate(stream.get(), Z_NO_FLUSH);
        inUsed += inStep - stream->avail_in;
        outUsed += outStep - stream->avail_out;

        if (result == Z_STREAM_END) {
            break;
        }
        if (result == Z_BUF_ERROR && stream->avail_out > 0) {
            // No progress with room to write: the input ran out before the stream's end.
            // Keep what it held; the reader reports the shortage.
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR) {
            throw Failure(ZlibErrorText(result == Z_NEED_DICT ? Z_DATA_ERROR : result));
        }
    }
    out.resize(outUsed);
    buffer.swap(out);
}

}  // namespace kestrine
