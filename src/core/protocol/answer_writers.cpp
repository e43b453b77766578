#include "protocol/answer_writers.h"

#include "protocol/layout_constants.h"
#include "protocol/value_writer.h"

namespace kestrine {
namespace {

void WriteHostRows(ValueWriter& writer, std::span<const HostRecord> hosts) {
    writer.Int32(kHostFieldCount).ListBegin();
    for (const HostRecord& host : hosts) {
        writer.Int32(host.Id).Utf8String(host.Name).Date(host.Updated).Int32(host.Active);
    }
    writer.ListEnd();
}

}  // namespace

Bytes WriteHostList(std::span<const HostRecord> hosts) {
    ValueWriter writer;
    writer.Int32(kStreamVersion);
    WriteHostRows(writer, hosts);
    return writer.Take();
}

Bytes WriteFolderListing(std::span<const HostRecord> hosts,
                         const std::optional<std::u16string>& path,
                         std::span<const TFileBrowserItem> items) {
    ValueWriter writer;
    writer.Int32(kStreamVersion);
    WriteHostRows(writer, hosts);
    if (path) {
        writer.Utf8String(*path).Int32(kFileFieldCount).ListBegin();
        for (const TFileBrowserItem& item : items) {
            if (!item.IsFolder) {
                writer.Utf8String(item.Name).Int64(item.Size);
            }
        }
        writer.ListEnd();
    }
    writer.Int32(kFolderFieldCount).ListBegin();
    for (const TFileBrowserItem& item : items) {
        if (item.IsFolder) {
            writer.Int32(0).Int32(item.Id).Utf8String(item.Name).Int32(0);
        }
    }
    writer.ListEnd();
    return writer.Take();
}

Bytes WriteSearchResults(std::span<const TFileSearchItem> items) {
    ValueWriter writer;
    writer.Int32(kStreamVersion).Int32(kSearchFieldCount).ListBegin();
    for (const TFileSearchItem& item : items) {
        writer.Utf8String(item.Folder)
            .Utf8String(item.FileName)
            .Int64(item.Size)
            .Date(item.Modified)
            .Int32(item.Attributes)
            .Utf8String(item.Computer)
            .Int32(0);
    }
    writer.ListEnd();
    return writer.Take();
}

}  // namespace kestrine
