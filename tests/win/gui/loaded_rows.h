#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "browser/browse_pipe_server.h"
#include "common/deflate.h"
#include "gui/recording_desktop_services.h"
#include "pipe/scripted_pipe_server.h"
#include "protocol/answer_writers.h"
#include "protocol/framing.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "win_text.h"

// Rows put on the window's lists the way a user gets them: from a server on this computer's
// pipe (the window's server name must be "."). Header-only: the test program is built from
// its *_test.cpp files alone.
namespace kestrine::testing {

// A connection that reads the request and answers with the value stream compressed.
inline ScriptedPipeServer::Behaviour AnswerOnce(const Bytes& stream) {
    return [body = Deflate(stream)](ServerSide& side) {
        side.ReadRequest();
        side.WriteLength(static_cast<std::uint32_t>(body.size()));
        side.Write(body);
    };
}

// Runs one search through the search page (not through the Go action, which a test may
// count) and leaves the hits as its page.
inline void LoadSearchHits(TKestrineClient& window, const std::vector<TFileSearchItem>& hits) {
    const ScriptedPipeServer server(AsWide(kLocalPipePath), {AnswerOnce(WriteSearchResults(hits))});
    SetWindowTextW(window.Ui().cmbQuery, L"hits");
    window.RunSearch(0, 1000);
    ASSERT_EQ(ListView_GetItemCount(window.Ui().ViewResults), static_cast<int>(hits.size()));
}

// Shows the folder at path holding entries on the browser page, reached from the top level
// of a host, so that its listing starts with ".." as row 0.
inline void LoadFolderBelowTopLevel(TKestrineClient& window, RecordingDesktopServices& desktop,
                                    const std::u16string& path,
                                    const std::vector<TFileBrowserItem>& entries) {
    const std::vector<HostRecord> hosts = {HostRecord{1, u"\\\\HOST", 46000.5, 1}};
    BrowsePipeServer server;
    ASSERT_TRUE(server.Listening());
    server.Answer(-1, -1, Deflate(WriteHostList(hosts)));
    server.Answer(1, -1,
                  Deflate(WriteFolderListing(
                      hosts, std::nullopt,
                      std::vector<TFileBrowserItem>{TFileBrowserItem{true, 7, u"top", 0}})));
    server.Answer(1, 7, Deflate(WriteFolderListing(hosts, path, entries)));
    window.SetActivePage(0);
    window.SetActivePage(1);  // fetches the host list
    const HWND content = window.Ui().ViewContent;
    ListView_SetItemState(window.Ui().ViewHost, 0, LVIS_SELECTED, LVIS_SELECTED);
    RECT first{};
    ListView_GetItemRect(content, 0, &first, LVIR_BOUNDS);
    POINT at{first.left + 5, (first.top + first.bottom) / 2};
    ClientToScreen(content, &at);
    desktop.cursor = at;
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{content, static_cast<UINT_PTR>(kIdViewContent), static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(window.Handle(), WM_NOTIFY, kIdViewContent, reinterpret_cast<LPARAM>(&click));
    ASSERT_EQ(ListView_GetItemCount(content), static_cast<int>(entries.size()) + 1);
}

// Selects one row of a list, and only that row.
inline void SelectOnly(HWND list, int row) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

}  // namespace kestrine::testing
