#include "common/zlib_error.h"

#include <zlib.h>

#include "common/text.h"

namespace kestrine {

std::u16string ZlibErrorText(int code) {
    switch (code) {
        case Z_DATA_ERROR:
            return u"data error";
        case Z_STREAM_ERROR:
            return u"stream error";
        case Z_BUF_ERROR:
            return u"buffer error";
        case Z_MEM_ERROR:
            return u"insufficient memory";
        case Z_VERSION_ERROR:
            return u"incompatible version";
        default:
            return u"zlib error " + ToText(code);
    }
}

}  // namespace kestrine
