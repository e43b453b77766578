#pragma once

// A search answer of any number of rows, compressed as a server sends it, for measuring the
// client's side of big pages. The names are of a realistic length and mostly distinct.
#include <zlib.h>

#include <stdexcept>
#include <string>

#include "common/bytes.h"
#include "protocol/layout_constants.h"
#include "protocol/records.h"
#include "protocol/value_writer.h"

namespace kestrine {

// Compresses a value stream handed over a slice at a time.
class SliceDeflater {
  public:
    SliceDeflater() {
        // Level 6, as Deflate compresses the real server's answers.
        if (deflateInit(&stream_, 6) != Z_OK) {
            throw std::runtime_error("deflateInit failed");
        }
    }
    ~SliceDeflater() { deflateEnd(&stream_); }
    SliceDeflater(const SliceDeflater&) = delete;
    SliceDeflater& operator=(const SliceDeflater&) = delete;

    void Add(const Bytes& slice) { Compress(slice, Z_NO_FLUSH); }
    Bytes Finish(const Bytes& last) {
        Compress(last, Z_FINISH);
        out_.resize(stream_.total_out);
        return std::move(out_);
    }

  private:
    void Compress(const Bytes& slice, int flush) {
        stream_.next_in = const_cast<Bytef*>(slice.data());
        stream_.avail_in = static_cast<uInt>(slice.size());
        int result = Z_OK;
        do {
            if (out_.size() - stream_.total_out < (1 << 16)) {
                out_.resize(out_.size() + (out_.size() / 2) + (1 << 20));
            }
            stream_.next_out = out_.data() + stream_.total_out;
            stream_.avail_out = static_cast<uInt>(out_.size() - stream_.total_out);
            result = deflate(&stream_, flush);
            if (result == Z_STREAM_ERROR) {
                throw std::runtime_error("deflate failed");
            }
        } while (stream_.avail_in > 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    }

    z_stream stream_{};
    Bytes out_;
};

inline TFileSearchItem GeneratedSearchItem(int i) {
    TFileSearchItem item;
    item.Computer = u"\\\\FILESRV" + std::u16string(1, static_cast<char16_t>(u'0' + i % 7));
    item.Folder = u"share\\projects\\folder" + std::u16string(1, u'a' + i % 26) + u"\\";
    std::u16string number;
    for (int n = i; n > 0 || number.empty(); n /= 10) {
        number.insert(number.begin(), static_cast<char16_t>(u'0' + n % 10));
    }
    item.FileName = u"document_" + number + u".pdf";
    item.Size = 1000 + i * 37;
    item.Modified = 45000.25 + i * 0.001;
    item.Attributes = 32;
    return item;
}

// The bytes WriteSearchResults would give for the generated rows, written and compressed a
// slice of rows at a time: held whole, a million rows and their value stream would take the
// measuring program several times the memory of the client it measures.
inline Bytes GeneratedSearchAnswer(int rows) {
    constexpr int kSliceRows = 4096;
    SliceDeflater deflater;
    ValueWriter slice;
    slice.Int32(kStreamVersion).Int32(kSearchFieldCount).ListBegin();
    for (int i = 0; i < rows; ++i) {
        const TFileSearchItem item = GeneratedSearchItem(i);
        slice.Utf8String(item.Folder)
            .Utf8String(item.FileName)
            .Int64(item.Size)
            .Date(item.Modified)
            .Int32(item.Attributes)
            .Utf8String(item.Computer)
            .Int32(0);
        if ((i + 1) % kSliceRows == 0) {
            deflater.Add(slice.Data());
            slice = ValueWriter();
        }
    }
    slice.ListEnd();
    return deflater.Finish(slice.Data());
}

}  // namespace kestrine
