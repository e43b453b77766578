#include "protocol/answer_layouts.h"

#include "common/failure.h"
#include "protocol/layout_constants.h"
#include "protocol/value_reader.h"

namespace kestrine {
namespace {

void ExpectVersion(ValueReader& reader) {
    if (reader.ReadInteger() != kStreamVersion) {
        throw Failure(u"Unsupported stream version");
    }
}

void ExpectFieldCount(ValueReader& reader, std::int32_t expected) {
    if (reader.ReadInteger() != expected) {
        throw Failure(u"Unexpected number of fields");
    }
}

// ListBegin, rows until the end-of-list tag, ListEnd.
template <typename ReadRow>
void ReadRows(ValueReader& reader, ReadRow readRow) {
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        readRow();
    }
    reader.ReadListEnd();
}

HostRecord ReadHostRow(ValueReader& reader) {
    HostRecord host;
    host.Id = reader.ReadInteger();
    host.Name = reader.ReadString();
    host.Updated = reader.ReadDate();
    host.Active = reader.ReadInteger();
    return host;
}

void SkipHostRow(ValueReader& reader) {
    reader.ReadInteger();
    reader.SkipString();
    reader.ReadDate();
    reader.ReadInteger();
}

}  // namespace

std::u16string WithoutTrailingSeparator(std::u16string folder) {
    if (!folder.empty() && folder.back() == u'\\') {
        folder.pop_back();
    }
    return folder;
}

void ReadHostList(std::span<const std::uint8_t> stream, const HostSink& onHost) {
    ValueReader reader(stream);
    ExpectVersion(reader);
    ExpectFieldCount(reader, kHostFieldCount);
    ReadRows(reader, [&] { onHost(ReadHostRow(reader)); });
}

void ReadFolderListing(std::span<const std::uint8_t> stream, bool folderRequested,
                       const FolderPathSink& onPath, const BrowserItemSink& onItem) {
    ValueReader reader(stream);
    ExpectVersion(reader);
    ExpectFieldCount(reader, kHostFieldCount);
    ReadRows(reader, [&] { SkipHostRow(reader); });

    if (folderRequested) {
        onPath(reader.ReadString());
        ExpectFieldCount(reader, kFileFieldCount);
        ReadRows(reader, [&] {
            TFileBrowserItem file;
            file.IsFolder = false;
            file.Id = 0;
            file.Name = reader.ReadString();
            file.Size = reader.ReadInt64();
            onItem(std::move(file));
        });
    }

    ExpectFieldCount(reader, kFolderFieldCount);
    ReadRows(reader, [&] {
        TFileBrowserItem folder;
        folder.IsFolder = true;
        reader.ReadInteger();
        folder.Id = reader.ReadInteger();
        folder.Name = reader.ReadString();
        reader.ReadInteger();
        folder.Size = 0;
        onItem(std::move(folder));
    });
}

void ReadSearchResults(std::span<const std::uint8_t> stream, const SearchItemSink& onItem) {
    ValueReader reader(stream);
    ExpectVersion(reader);
    ExpectFieldCount(reader, kSearchFieldCount);
    ReadRows(reader, [&] {
        TFileSearchItem item;
        item.Folder = WithoutTrailingSeparator(reader.ReadString());
        item.FileName = reader.ReadString();
        item.Size = reader.ReadInt64();
        item.Modified = reader.ReadDate();
        item.Attributes = reader.ReadInteger();
        item.Computer = reader.ReadString();
        reader.ReadInteger();
        onItem(std::move(item));
    });
}

}  // namespace kestrine
