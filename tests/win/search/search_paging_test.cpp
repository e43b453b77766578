// Go and paging against a scripted server: status panels, offsets, the zones of the
// "Previous" and "Next" panels, the history, and what a failure leaves behind.
#include <gmock/gmock.h>

#include "search/search_page_fixture.h"
#include "settings/default_categories.h"
#include "ui/control_ids.h"
#include "window_text.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SearchPagingTest : public SearchPageTest {};

TEST_F(SearchPagingTest, FullPagesOfferNextAndTheSecondPageCountsFrom1001) {
    RequestLog log;
    const std::vector<TFileSearchItem> page = NumberedHits(1000);
    ScriptedPipeServer server(
        kServerPipe, {AnswerHits(log, page), AnswerHits(log, page), AnswerHits(log, page)});
    ASSERT_TRUE(server.Listening());
    store.Seed(u"RowLimit", StoredValue::Integer(1000));
    Open();

    Search(u"  report  ");
    EXPECT_THAT(MessageTexts(), ElementsAre());
    EXPECT_EQ(Panel(0), u"Connected to .");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 1000");
    EXPECT_EQ(Panel(2), u"");
    EXPECT_EQ(Panel(3), u"Next");
    EXPECT_EQ(RowCount(), 1000);
    EXPECT_EQ(desktop.waitCount, 1);
    EXPECT_EQ(desktop.waitDepth, 0);

    ClickStatusBar(PanelMiddle(3));
    EXPECT_EQ(Panel(1), u"Displaying 1001 to 2000");
    EXPECT_EQ(Panel(2), u"Previous");
    EXPECT_EQ(Panel(3), u"Next");

    ClickStatusBar(PanelMiddle(2));
    EXPECT_EQ(Panel(1), u"Displaying 1 to 1000");
    EXPECT_EQ(Panel(2), u"");

    // The offsets the panels stand for, as the requests show them.
    const std::vector<std::string> requests = log.All();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_THAT(requests[0], HasSubstr("limit=\"1000\" skip=\"0\""));
    EXPECT_THAT(requests[0], HasSubstr("<query>report</query>"));
    EXPECT_THAT(requests[1], HasSubstr("limit=\"1000\" skip=\"1000\""));
    EXPECT_THAT(requests[2], HasSubstr("limit=\"1000\" skip=\"0\""));
    // Paging does not touch the history.
    EXPECT_THAT(ComboItems(Ui().cmbQuery), ElementsAre(u"  report  "));
}

// Each page reads the form as it is: the choices go into the request, and the category's
// extensions are quoted ("Databases" is db,dbf,mdb; with none selected, the value of a
// category with an empty name, if any).
TEST_F(SearchPagingTest, TheRequestCarriesTheFormsChoices) {
    RequestLog log;
    ScriptedPipeServer server(kServerPipe, {AnswerHits(log, {}), AnswerHits(log, {})});
    StringList categories = DefaultCategories();
    categories.Add(u"=gz");
    store.Seed(u"FileTypes", StoredValue::Text(categories.GetCommaText()));
    Open();
    SetComboSelection(Ui().cmbSearchIn, 1);
    SetComboSelection(Ui().cmbSearchOn, 1);
    SetComboSelection(Ui().cmbFileTypes, categories.IndexOfName(u"Databases"));
    Search(u"x");
    SetComboSelection(Ui().cmbFileTypes, -1);
    Search(u"x");
    const std::vector<std::string> requests = log.All();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_THAT(requests[0], HasSubstr("mode=\"1\" active=\"1\""));
    EXPECT_THAT(
        requests[0],
        HasSubstr("<extensions>&apos;db&apos;,&apos;dbf&apos;,&apos;mdb&apos;</extensions>"));
    EXPECT_THAT(requests[1], HasSubstr("<extensions>&apos;gz&apos;</extensions>"));
}

// A page loaded at an offset below the page size (the size changed since) still leads
// back: to row 0, not to a negative offset.
TEST_F(SearchPagingTest, PreviousNeverGoesBelowTheFirstRow) {
    RequestLog log;
    ScriptedPipeServer server(kServerPipe,
                              {AnswerHits(log, NumberedHits(3)), AnswerHits(log, NumberedHits(3))});
    store.Seed(u"RowLimit", StoredValue::Integer(1000));
    Open();
    SetWindowTextW(Ui().cmbQuery, L"f");
    window->RunSearch(500, 1000);
    EXPECT_EQ(Panel(1), u"Displaying 501 to 503");
    EXPECT_EQ(Panel(2), u"Previous");

    ClickStatusBar(PanelMiddle(2));
    const std::vector<std::string> requests = log.All();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_THAT(requests[1], HasSubstr("skip=\"0\""));
    EXPECT_EQ(Panel(1), u"Displaying 1 to 3");
}

TEST_F(SearchPagingTest, APartPageHasNoNextAndAnEmptyOneFindsNothing) {
    RequestLog log;
    ScriptedPipeServer server(kServerPipe, {AnswerHits(log, NumberedHits(4)), AnswerHits(log, {})});
    store.Seed(u"RowLimit", StoredValue::Integer(5));
    Open();

    Search(u"f");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 4");
    EXPECT_EQ(Panel(3), u"");

    Search(u"nothing");
    EXPECT_EQ(Panel(1), u"No files found");
    EXPECT_EQ(RowCount(), 0);
    EXPECT_THAT(MessageTexts(), ElementsAre());
}

// Widths come from the control, so the zones follow the real panels; their borders belong
// to neither zone, and a click where no page exists asks the server nothing (a server with
// no connection left to serve would make it fail loudly).
TEST_F(SearchPagingTest, ClicksOutsideTheZonesOrWithoutAPageDoNothing) {
    RequestLog log;
    ScriptedPipeServer server(kServerPipe, {AnswerHits(log, NumberedHits(3))});
    store.Seed(u"RowLimit", StoredValue::Integer(3));
    Open();
    Search(u"f");
    ASSERT_EQ(Panel(2), u"");
    ASSERT_EQ(Panel(3), u"Next");

    const std::vector<int> widths = Ui().statusBar.PanelWidths();
    ASSERT_GE(widths.size(), 4u);
    const int prevFrom = widths[0] + widths[1];
    const int prevTo = prevFrom + widths[2];
    const int nextFrom = prevTo + 1;
    const int nextTo = nextFrom + widths[3];
    for (const int x : {PanelMiddle(0), PanelMiddle(1), prevFrom, PanelMiddle(2), prevTo, nextFrom,
                        nextTo, PanelMiddle(4)}) {
        ClickStatusBar(x);
        EXPECT_EQ(Panel(1), u"Displaying 1 to 3") << x;
    }
    EXPECT_EQ(log.All().size(), 1u);
    EXPECT_THAT(MessageTexts(), ElementsAre());
}

TEST_F(SearchPagingTest, AQueryOfSpacesAsksForASearchStringAndSendsNothing) {
    Open(true);
    SetFocus(Ui().ViewResults);
    // No server listens: a request would end in an error message.
    Search(u"   \t ");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"Please enter a search string");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(desktop.waitCount, 0);
    EXPECT_THAT(ComboItems(Ui().cmbQuery), ElementsAre());
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == Ui().cmbQuery || IsChild(Ui().cmbQuery, focus));
}

TEST_F(SearchPagingTest, AnUnreachableServerKeepsTheOffsetsAndPagingPanels) {
    RequestLog log;
    {
        ScriptedPipeServer server(kServerPipe, {AnswerHits(log, NumberedHits(2))});
        store.Seed(u"RowLimit", StoredValue::Integer(2));
        Open();
        Search(u"f");
    }
    ASSERT_EQ(Panel(3), u"Next");

    ClickStatusBar(PanelMiddle(3));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(BeginsWith(desktop.messages[0].text,
                           u"Error while searching: Unable to connect to the database. Check the "
                           u"server name in preferences. "));
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Panel(0), u"Communication error");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 2");
    EXPECT_EQ(Panel(2), u"");
    EXPECT_EQ(Panel(3), u"Next");
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(desktop.waitDepth, 0);

    // "Next" still leads to the page after the one that loaded.
    ScriptedPipeServer back(kServerPipe, {AnswerHits(log, NumberedHits(2))});
    ClickStatusBar(PanelMiddle(3));
    const std::vector<std::string> requests = log.All();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_THAT(requests[1], HasSubstr("skip=\"2\""));
    EXPECT_EQ(Panel(1), u"Displaying 3 to 4");
}

TEST_F(SearchPagingTest, AnUnknownServerNameFailsWithTheConnectMessage) {
    store.Seed(u"ServerName", StoredValue::Text(u"kestrine-no-such-host-h7"));
    Open();
    Search(u"report");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(BeginsWith(desktop.messages[0].text, u"Error while searching: Unable to connect"));
    EXPECT_EQ(Panel(2), u"");
    EXPECT_EQ(Panel(3), u"");
}

// The rows read before a broken part of the answer stay with the page (Save Results offers
// to save them), but the list shows none of them and the panels stay as they were.
TEST_F(SearchPagingTest, ABrokenAnswerKeepsTheRowsReadSoFarOffTheList) {
    RequestLog log;
    Bytes stream = WriteSearchResults(NumberedHits(3));
    stream.resize(stream.size() - 6);
    ScriptedPipeServer server(kServerPipe, {AnswerWith(log, stream)});
    Open();
    Search(u"f");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(BeginsWith(desktop.messages[0].text, u"Error while searching: "));
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(Panel(1), u"");
    EXPECT_EQ(Panel(3), u"");
    window->Actions().Execute(kActionSave);
    EXPECT_EQ(desktop.saveDialogs.size(), 1u) << "not \"There is nothing to save\"";
    EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(SearchPagingTest, HistoryTakesNewTextsFirstIgnoresCaseAndKeepsTwenty) {
    std::vector<std::u16string> older;
    StringList stored;
    for (int i = 0; i < 20; ++i) {
        older.push_back(u"query " + FromWide(std::to_wstring(i)));
        stored.Add(older.back());
    }
    store.Seed(u"History", StoredValue::Text(stored.GetCommaText()));
    Open();
    // With no server each search fails after the history is recorded.
    Search(u"QUERY 3");
    EXPECT_EQ(ComboItems(Ui().cmbQuery), older);
    EXPECT_EQ(WindowText(Ui().cmbQuery), u"QUERY 3");

    Search(u"Fresh");
    const std::vector<std::u16string> history = ComboItems(Ui().cmbQuery);
    ASSERT_EQ(history.size(), 20u);
    EXPECT_EQ(history.front(), u"Fresh");
    EXPECT_EQ(history.back(), u"query 18");
    EXPECT_EQ(WindowText(Ui().cmbQuery), u"Fresh");
}

}  // namespace
}  // namespace kestrine::testing
