#include "exchange/answer_fetch.h"

#include "common/inflate.h"
#include "search/search_answer_reader.h"

namespace kestrine {

namespace {

Bytes InflatedAnswer(PipeConnector& connector, const std::u16string& servers, const Bytes& request,
                     const StatusSink& status) {
    Bytes answer;
    ServerExchange(connector, servers, request, answer, status);
    InflateInPlace(answer);
    return answer;
}

}  // namespace

void FetchSearchPage(PipeConnector& connector, const std::u16string& servers,
                     const SearchQuery& query, SearchResultList& page, const StatusSink& status) {
    Bytes answer;
    ServerExchange(connector, servers, BuildSearchRequest(query), answer, status);
    ReadSearchAnswer(answer, page);
}

void FetchHostList(PipeConnector& connector, const std::u16string& servers, const HostSink& onHost,
                   const StatusSink& status) {
    const Bytes answer = InflatedAnswer(connector, servers, BuildBrowseRequest(-1, -1), status);
    ReadHostList(answer, onHost);
}

void FetchFolder(PipeConnector& connector, const std::u16string& servers, std::int32_t hostId,
                 std::int32_t folderId, const FolderListingSink& sink, const StatusSink& status) {
    Bytes answer;
    ServerExchange(connector, servers, BuildBrowseRequest(hostId, folderId), answer, status);
    if (sink.AnswerArrived) {
        sink.AnswerArrived();
    }
    InflateInPlace(answer);
    ReadFolderListing(answer, folderId != -1, sink.Path, sink.Item);
}

}  // namespace kestrine
