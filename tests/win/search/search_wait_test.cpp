// The window while the server takes its time: the exchange runs off the window's thread, so
// the window answers messages and repaints, takes no input, shows what it shows in the same
// order as before, and closing waits for the answer and still saves the settings.
#include <gmock/gmock.h>

#include <atomic>
#include <functional>

#include "search/search_page_fixture.h"
#include "ui/control_ids.h"
#include "window_text.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

// Reads the request, runs `meanwhile` while the client waits, then answers with the hits.
ScriptedPipeServer::Behaviour AnswerLate(RequestLog& log, std::function<void()> meanwhile,
                                         const std::vector<TFileSearchItem>& hits) {
    return [&log, meanwhile = std::move(meanwhile),
            body = Deflate(WriteSearchResults(hits))](ServerSide& side) {
        log.Add(side.ReadRequest());
        meanwhile();
        side.WriteLength(static_cast<std::uint32_t>(body.size()));
        side.Write(body);
    };
}

// Gives the window's thread time to take what was posted to it.
void LetItRun() {
    Sleep(300);
}

class SearchWaitTest : public SearchPageTest {
  protected:
    HWND QueryEdit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(Ui().cmbQuery, &info);
        return info.hwndItem;
    }
};

TEST_F(SearchWaitTest, TheWindowRepaintsAndTakesNoInputWhileTheServerTakesItsTime) {
    Open(true);
    const HWND main = Main();
    const HWND list = Ui().ViewResults;
    const HWND go = Ui().bbGo;
    const HWND edit = QueryEdit();
    std::atomic<bool> answered{false};
    std::atomic<bool> repainted{false};
    std::atomic<bool> disabled{false};
    RequestLog log;
    ScriptedPipeServer server(
        kServerPipe,
        {AnswerLate(
             log,
             [&] {
                 DWORD_PTR result = 0;
                 answered =
                     SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
                 disabled = !IsWindowEnabled(main);
                 InvalidateRect(list, nullptr, TRUE);
                 for (int i = 0; i < 100 && !repainted; ++i) {
                     RECT update{};
                     repainted = GetUpdateRect(list, &update, FALSE) == FALSE;
                     Sleep(20);
                 }
                 // Typing, a click on Go, a right click on the list and Ctrl+S.
                 PostMessageW(edit, WM_CHAR, L'z', 1);
                 PostMessageW(go, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                 PostMessageW(go, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
                 PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
                 PostMessageW(edit, WM_KEYDOWN, 'S', 1);
                 LetItRun();
             },
             NumberedHits(3)),
         AnswerHits(log, NumberedHits(1))});
    ASSERT_TRUE(server.Listening());

    Search(u"slow");
    EXPECT_TRUE(answered) << "the window answered a message while it waited";
    EXPECT_TRUE(disabled) << "and took no input";
    EXPECT_TRUE(repainted) << "and repainted what was invalid";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(WindowText(Ui().cmbQuery), u"slow") << "nothing typed reached the query box";
    EXPECT_EQ(log.All().size(), 1u) << "the click on Go started no second search";
    EXPECT_TRUE(desktop.popups.empty());
    EXPECT_TRUE(desktop.saveDialogs.empty());
    EXPECT_EQ(Panel(0), u"Connected to .");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 3");
    EXPECT_EQ(RowCount(), 3);
    EXPECT_EQ(desktop.waitCount, 1);
    EXPECT_EQ(desktop.waitDepth, 0);
    EXPECT_THAT(MessageTexts(), ElementsAre());

    // The second connection is still there for a search after the wait.
    Search(u"again");
    EXPECT_EQ(Panel(1), u"Displaying 1 to 1");
}

// A message box comes after the status text of the exchange that failed, with the normal
// cursor back, as when the exchange ran on the window's thread.
TEST_F(SearchWaitTest, AFailureShowsItsStatusTextBeforeItsMessage) {
    Open();
    std::vector<std::u16string> panelAtMessage;
    int waitDepthAtMessage = -1;
    desktop.onMessage = [&] {
        panelAtMessage = {Panel(0), Panel(1)};
        waitDepthAtMessage = desktop.waitDepth;
    };
    RequestLog log;
    Bytes broken = WriteSearchResults(NumberedHits(3));
    broken.resize(broken.size() - 6);
    ScriptedPipeServer server(kServerPipe, {AnswerWith(log, broken)});
    Search(u"f");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(BeginsWith(desktop.messages[0].text, u"Error while searching: "));
    EXPECT_THAT(panelAtMessage, ElementsAre(u"Connected to .", u""));
    EXPECT_EQ(waitDepthAtMessage, 0);
}

TEST_F(SearchWaitTest, ClosingWhileTheServerTakesItsTimeWaitsForTheAnswerAndSavesTheSettings) {
    Open();
    const HWND main = Main();
    RequestLog log;
    ScriptedPipeServer server(kServerPipe, {AnswerLate(
                                               log,
                                               [main] {
                                                   PostMessageW(main, WM_CLOSE, 0, 0);
                                                   LetItRun();
                                               },
                                               NumberedHits(2))});
    Search(u"slow");
    EXPECT_EQ(window->Handle(), nullptr) << "closed once the answer was shown";
    EXPECT_EQ(store.Read(u"History"), StoredValue::Text(u"slow"));
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"."));
    EXPECT_EQ(store.Writes().size(), 7u);
    EXPECT_EQ(log.All().size(), 1u);
}

}  // namespace
}  // namespace kestrine::testing
