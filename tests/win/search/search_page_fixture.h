#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/deflate.h"
#include "common/text.h"
#include "gui/main_window_fixture.h"
#include "pipe/scripted_pipe_server.h"
#include "protocol/answer_writers.h"
#include "ui/combo_box.h"
#include "ui/control_ids.h"
#include "ui/list_view.h"

// The main window on the search page, talking to a local pipe ("." reaches it under Wine).
// Header-only: the test program is built from its *_test.cpp files alone.
namespace kestrine::testing {

inline const wchar_t* const kServerPipe = AsWide(kLocalPipePath);

// n hits named f0000.txt, f0001.txt, ... on \\PC in share\docs, sizes 100, 101, ...
inline std::vector<TFileSearchItem> NumberedHits(int n) {
    std::vector<TFileSearchItem> hits;
    for (int i = 0; i < n; ++i) {
        std::u16string name = u"f0000.txt";
        for (int digit = 4, value = i; digit >= 1; --digit, value /= 10) {
            name[static_cast<std::size_t>(digit)] = static_cast<char16_t>(u'0' + value % 10);
        }
        hits.push_back(TFileSearchItem{u"\\\\PC", u"share\\docs", name, 100 + i, 45000.5, 32});
    }
    return hits;
}

// The requests a scripted server received, as text (the documents are ASCII here).
class RequestLog {
  public:
    void Add(const Bytes& request) {
        const std::lock_guard lock(mutex_);
        requests_.emplace_back(request.begin(), request.end());
    }
    std::vector<std::string> All() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// A connection answered with a compressed value stream, logging the request.
inline ScriptedPipeServer::Behaviour AnswerWith(RequestLog& log, Bytes stream) {
    return [&log, body = Deflate(stream)](ServerSide& side) {
        log.Add(side.ReadRequest());
        side.WriteLength(static_cast<std::uint32_t>(body.size()));
        side.Write(body);
    };
}

inline ScriptedPipeServer::Behaviour AnswerHits(RequestLog& log,
                                                const std::vector<TFileSearchItem>& hits) {
    return AnswerWith(log, WriteSearchResults(hits));
}

// Whether text begins with prefix, showing the text when it does not.
inline ::testing::AssertionResult BeginsWith(const std::u16string& text,
                                             std::u16string_view prefix) {
    if (text.starts_with(prefix)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "\"" << Utf16ToUtf8(text) << "\" does not begin with \""
                                         << Utf16ToUtf8(std::u16string(prefix)) << "\"";
}

class SearchPageTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    // Types a query and clicks Go.
    void Search(const std::u16string& query) {
        SetWindowTextW(Ui().cmbQuery, AsWide(query));
        SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kActionGo, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Ui().bbGo));
        Pump();
    }

    std::u16string Panel(int panel) const { return Ui().statusBar.Text(panel); }

    int RowCount() const {
        return static_cast<int>(SendMessageW(Ui().ViewResults, LVM_GETITEMCOUNT, 0, 0));
    }

    // The text the list shows in a cell, asked for as the list itself would.
    std::u16string Cell(int row, int column, int room = 512) const {
        std::wstring buffer(static_cast<std::size_t>(room), L'#');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = room;
        const auto length =
            SendMessageW(Ui().ViewResults, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)));
    }

    std::vector<std::u16string> Column(int column) const {
        std::vector<std::u16string> texts;
        for (int row = 0; row < RowCount(); ++row) {
            texts.push_back(Cell(row, column));
        }
        return texts;
    }

    // A real click on a column's header: the list turns it into LVN_COLUMNCLICK.
    void ClickHeader(int column) {
        const HWND header = ListView_GetHeader(Ui().ViewResults);
        RECT box{};
        Header_GetItemRect(header, column, &box);
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        Pump();
    }

    int HeaderFormat(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(ListView_GetHeader(Ui().ViewResults), column, &item);
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    }

    // A click on the status bar at x in its client coordinates, with the cursor there.
    void ClickStatusBar(int x) {
        POINT at{x, 5};
        ClientToScreen(Ui().statusBar.Handle(), &at);
        desktop.cursor = at;
        // The status bar reports a button release as NM_CLICK to the window.
        SendMessageW(Ui().statusBar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
        SendMessageW(Ui().statusBar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
        Pump();
    }

    // The middle of a status panel in status-bar client coordinates.
    int PanelMiddle(int panel) const {
        const std::vector<int> widths = Ui().statusBar.PanelWidths();
        int left = 0;
        for (int i = 0; i < panel; ++i) {
            left += widths[static_cast<std::size_t>(i)];
        }
        return left + widths[static_cast<std::size_t>(panel)] / 2;
    }

    // Loads hits as a page, from a server that answers one search with them.
    void ShowHits(const std::vector<TFileSearchItem>& hits) {
        RequestLog log;
        const ScriptedPipeServer server(kServerPipe, {AnswerHits(log, hits)});
        Search(u"shown");
        ASSERT_EQ(RowCount(), static_cast<int>(hits.size()));
    }

    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& message : desktop.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }
};

}  // namespace kestrine::testing
