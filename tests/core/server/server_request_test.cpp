#include "server_request.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "protocol/request_document.h"

namespace kestrine::server {
namespace {

std::u16string FailureOf(const Bytes& document) {
    try {
        ParseServerRequest(document);
    } catch (const Failure& failure) {
        return failure.Message();
    }
    return u"(no failure)";
}

Bytes Document(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(ServerRequestTest, ReadsTheClientsSearchDocument) {
    const ServerRequest request =
        ParseServerRequest(BuildSearchRequest({1000, 2000, 2, 1, u"a&b\r\nc\U0001F600", u"'zip'"}));
    const auto* search = std::get_if<SearchRequest>(&request);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->limit, 1000);
    EXPECT_EQ(search->skip, 2000);
    EXPECT_EQ(search->mode, 2);
    EXPECT_EQ(search->active, 1);
    EXPECT_EQ(search->query, u"a&b\nc\U0001F600");
    EXPECT_EQ(search->extensions, u"'zip'");

    const ServerRequest empty = ParseServerRequest(BuildSearchRequest({1, 0, 0, 0, u"", u""}));
    EXPECT_EQ(std::get<SearchRequest>(empty).query, u"");
}

TEST(ServerRequestTest, ReadsTheClientsBrowseDocument) {
    const ServerRequest request = ParseServerRequest(BuildBrowseRequest(3, -1));
    const auto* browse = std::get_if<BrowseRequest>(&request);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->hostId, 3);
    EXPECT_EQ(browse->folderId, -1);
}

TEST(ServerRequestTest, NamesWhatIsWrong) {
    struct Case {
        const char* document;
        std::u16string failure;
    };
    const Case cases[] = {
        {"<request><command>srvdelete</command><params/></request>",
         u"unknown command \"srvdelete\""},
        {"<query/>", u"the root element must be request"},
        {"<request><command>srvbrowse</command></request>", u"a request needs command and params"},
        {"<request><command>srvbrowse</command><params hostid=\"1\"/></request>",
         u"missing attribute folderid"},
        {"<request><command>srvbrowse</command><params hostid=\"x\" folderid=\"1\"/></request>",
         u"bad attribute hostid=\"x\""},
        {"<request><command>srvbrowse</command><params hostid=\"-2\" folderid=\"1\"/></request>",
         u"bad attribute hostid=\"-2\""},
        {"<request><command>srvsearch</command><params limit=\"1\" skip=\"0\" mode=\"3\" "
         "active=\"0\"><query/><extensions/></params></request>",
         u"bad attribute mode=\"3\""},
        {"<request><command>srvsearch</command><params limit=\"-1\" skip=\"0\" mode=\"0\" "
         "active=\"0\"><query/><extensions/></params></request>",
         u"bad attribute limit=\"-1\""},
        {"<request><command>srvsearch</command><params limit=\"1\" skip=\"0\" mode=\"0\" "
         "active=\"2\"><query/><extensions/></params></request>",
         u"bad attribute active=\"2\""},
        {"<request><command>srvsearch</command><params limit=\"1\" skip=\"0\" mode=\"0\" "
         "active=\"0\"><extensions/></params></request>",
         u"missing element query"},
        {"<request><command>srvsearch</command><params limit=\"1\" skip=\"99999999999\" "
         "mode=\"0\" active=\"0\"><query/><extensions/></params></request>",
         u"bad attribute skip=\"99999999999\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        EXPECT_EQ(FailureOf(Document(c.document)), c.failure);
    }
}

}  // namespace
}  // namespace kestrine::server
