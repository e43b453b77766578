#include "common/deflate.h"

#include <zlib.h>

#include <limits>

#include "common/failure.h"
#include "common/zlib_error.h"

namespace kestrine {

Bytes Deflate(std::span<const std::uint8_t> bytes) {
    // zlib counts in uLong, only 32 bits on Windows; leave room for compressBound's margin.
    if (bytes.size() > std::numeric_limits<uLong>::max() / 2) {
        throw Failure(ZlibErrorText(Z_BUF_ERROR));
    }
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    Bytes out(size);
    const int result =
        compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 6);
    if (result != Z_OK) {
        throw Failure(ZlibErrorText(result));
    }
    out.resize(size);
    return out;
}

}  // namespace kestrine
