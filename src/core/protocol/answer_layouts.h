#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "protocol/records.h"

namespace kestrine {

// Readers of the three answer layouts, over an inflated value stream. Each record goes to
// the caller as soon as it is read, so the records before a failure stay with the caller.
// Failures, checked in layout order: "Unsupported stream version", "Unexpected number of
// fields", "Invalid property value", "Stream read error".

using HostSink = std::function<void(HostRecord&&)>;
using FolderPathSink = std::function<void(std::u16string&&)>;
using BrowserItemSink = std::function<void(TFileBrowserItem&&)>;
using SearchItemSink = std::function<void(TFileSearchItem&&)>;

// The answer to a browse request for host -1 and folder -1.
void ReadHostList(std::span<const std::uint8_t> stream, const HostSink& onHost);

// The answer to a browse request for one host. folderRequested is false for the top level
// (folder -1): then there is no path and there are no file rows. The path goes to onPath
// before any row; files come before folders, each in stream order.
void ReadFolderListing(std::span<const std::uint8_t> stream, bool folderRequested,
                       const FolderPathSink& onPath, const BrowserItemSink& onItem);

// The answer to a search request.
void ReadSearchResults(std::span<const std::uint8_t> stream, const SearchItemSink& onItem);

// The folder of a search row: one trailing backslash removed.
std::u16string WithoutTrailingSeparator(std::u16string folder);

}  // namespace kestrine
