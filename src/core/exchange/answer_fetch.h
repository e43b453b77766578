#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "exchange/pipe_connector.h"
#include "exchange/server_exchange.h"
#include "protocol/answer_layouts.h"
#include "protocol/request_document.h"
#include "search/result_list.h"

namespace kestrine {

// One request from document to records: build the document, run the exchange against the
// servers of the comma-separated list, inflate the answer and read it in its layout. Each
// record goes to the sink as soon as it is read, so the records before a failure stay with
// the caller. Failures are thrown as Failure (exchange, zlib and layout texts) or
// std::bad_alloc; status receives the connection text and may be empty.

// A search goes straight into a result page, the answer read as it inflates
// (ReadSearchAnswer): a zlib failure leaves the page as it was, a failure in the layout keeps
// the rows before it.
void FetchSearchPage(PipeConnector& connector, const std::u16string& servers,
                     const SearchQuery& query, SearchResultList& page,
                     const StatusSink& status = nullptr);

void FetchHostList(PipeConnector& connector, const std::u16string& servers, const HostSink& onHost,
                   const StatusSink& status = nullptr);

// What a folder listing delivers. AnswerArrived runs once the exchange has brought an answer
// and before any of it is read: a failure before that point leaves the caller's listing as it
// was, a failure after it has started replacing it.
struct FolderListingSink {
    std::function<void()> AnswerArrived;
    FolderPathSink Path;
    BrowserItemSink Item;
};

// A host's top level (folderId -1) or one of its folders.
void FetchFolder(PipeConnector& connector, const std::u16string& servers, std::int32_t hostId,
                 std::int32_t folderId, const FolderListingSink& sink,
                 const StatusSink& status = nullptr);

}  // namespace kestrine
