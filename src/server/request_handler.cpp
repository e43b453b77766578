#include "request_handler.h"

#include <chrono>
#include <cstdio>
#include <new>
#include <optional>

#include "common/deflate.h"
#include "common/failure.h"
#include "common/text.h"
#include "protocol/answer_writers.h"
#include "search.h"
#include "server_request.h"

namespace kestrine::server {
namespace {

std::vector<HostRecord> HostRecords(const FileIndex& index) {
    std::vector<HostRecord> records;
    for (const IndexedHost& host : index.Hosts()) {
        records.push_back({host.id, host.name, host.updated, host.active ? 1 : 0});
    }
    return records;
}

TFileBrowserItem FolderItem(const IndexedFolder& folder) {
    return {true, folder.id, folder.name, 0};
}

Bytes AnswerSearch(const FileIndex& index, const SearchRequest& request, std::size_t& rows) {
    const std::vector<TFileSearchItem> items = Search(index, request);
    rows = items.size();
    return WriteSearchResults(items);
}

Bytes AnswerBrowse(const FileIndex& index, const BrowseRequest& request, std::size_t& rows) {
    const std::vector<HostRecord> hosts = HostRecords(index);
    if (request.hostId == -1) {
        if (request.folderId != -1) {
            throw Failure(u"a folder needs its host");
        }
        rows = hosts.size();
        return WriteHostList(hosts);
    }
    const IndexedHost* host = index.FindHost(request.hostId);
    if (host == nullptr) {
        throw Failure(u"no host with id " + ToText(request.hostId));
    }
    std::vector<TFileBrowserItem> items;
    if (request.folderId == -1) {
        for (const std::int32_t id : host->topFolders) {
            items.push_back(FolderItem(*index.FindFolder(id)));
        }
        rows = items.size();
        return WriteFolderListing(hosts, std::nullopt, items);
    }
    const IndexedFolder* folder = index.FindFolder(request.folderId);
    if (folder == nullptr || folder->hostId != host->id) {
        throw Failure(u"no folder with id " + ToText(request.folderId) + u" on " + host->name);
    }
    for (const IndexedFile& file : folder->files) {
        items.push_back({false, 0, file.name, file.size});
    }
    for (const std::int32_t id : folder->subfolders) {
        items.push_back(FolderItem(*index.FindFolder(id)));
    }
    rows = items.size();
    return WriteFolderListing(hosts, index.NetworkPath(*folder), items);
}

}  // namespace

Bytes ErrorAnswer(const std::u16string& reason) {
    return TextToUtf16Le(u"ERROR: " + reason);
}

std::string HandledRequest::LogLine() const {
    char timing[32];
    std::snprintf(timing, sizeof timing, "%.1f", milliseconds);
    std::string line = command + " rows=" + std::to_string(rows) + " ms=" + timing;
    if (failed) {
        line += " error: " + Utf16ToUtf8(reason);
    }
    return line;
}

HandledRequest HandleRequest(const FileIndex& index, std::span<const std::uint8_t> document) {
    const auto start = std::chrono::steady_clock::now();
    HandledRequest handled;
    try {
        if (document.size() > kMaxRequestBytes) {
            throw Failure(u"request too long");
        }
        const ServerRequest request = ParseServerRequest(document);
        Bytes stream;
        if (const auto* search = std::get_if<SearchRequest>(&request)) {
            handled.command = "srvsearch";
            stream = AnswerSearch(index, *search, handled.rows);
        } else {
            handled.command = "srvbrowse";
            stream = AnswerBrowse(index, std::get<BrowseRequest>(request), handled.rows);
        }
        handled.answer = Deflate(stream);
    } catch (const Failure& failure) {
        handled.failed = true;
        handled.reason = failure.Message();
    } catch (const std::bad_alloc&) {
        handled.failed = true;
        handled.reason = u"out of memory";
    } catch (const std::exception&) {
        handled.failed = true;
        handled.reason = u"internal error";
    }
    if (handled.failed) {
        handled.rows = 0;
        handled.answer = ErrorAnswer(handled.reason);
    }
    handled.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return handled;
}

}  // namespace kestrine::server
