#include "ui/guarded_call.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/failure.h"
#include "gui/recording_desktop_services.h"
#include "settings/memory_settings_store.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"
#include "ui/window.h"
#include "exchange/pipe_connector.h"

namespace kestrine {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

struct ThrowCase {
    const char* name;
    std::function<void()> raise;
    std::u16string shown;
};

std::vector<ThrowCase> ThrowCases() {
    return {
        {"Failure", [] { throw Failure(u"The folder is gone."); }, u"The folder is gone."},
        {"std::exception", [] { throw std::runtime_error("bad state"); }, u"bad state"},
        {"out of memory", [] { throw std::bad_alloc(); }, u"Insufficient memory."},
        {"unknown type", [] { throw 42; }, kUnexpectedErrorText},
    };
}

// A window of our own whose handler throws on request; it reports to a list instead of a
// message box.
class ThrowingWindow final : public Window {
  public:
    std::function<void()> raise;
    std::vector<std::u16string> reports;

    HWND Create() {
        RegisterClassOnce(L"KestrineGuardedCallTest", nullptr, nullptr, nullptr);
        return CreateInstance(0, L"KestrineGuardedCallTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr);
    }
    ~ThrowingWindow() override {
        if (Handle() != nullptr) {
            DestroyWindow(Handle());
        }
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrow) {
            raise();
        }
        if (message == kAnswer) {
            return 42;
        }
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
    void ReportUnexpectedError(const std::u16string& message) override {
        reports.push_back(message);
    }
};

TEST(GuardedCallTest, AWindowReportsWhatItsHandlerThrowsOnceAndCarriesOn) {
    for (const ThrowCase& c : ThrowCases()) {
        ThrowingWindow window;
        ASSERT_NE(window.Create(), nullptr) << c.name;
        window.raise = c.raise;
        EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0) << c.name;
        EXPECT_EQ(window.reports, std::vector<std::u16string>{c.shown}) << c.name;
        EXPECT_EQ(SendMessageW(window.Handle(), kAnswer, 0, 0), 42) << c.name;
        EXPECT_EQ(window.reports.size(), 1u) << c.name;
    }
}

TEST(GuardedCallTest, ReturnsTheHandlersResultOrTheFallback) {
    std::vector<std::u16string> reports;
    const auto report = [&](const std::u16string& text) { reports.push_back(text); };
    EXPECT_EQ(GuardedCall(
                  report, [] { return 7; }, -1),
              7);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(GuardedCall(
                  report, []() -> int { throw Failure(u"no"); }, -1),
              -1);
    EXPECT_EQ(reports, std::vector<std::u16string>{u"no"});
}

// A pipe whose first steps throw what the case raises, as a fault deep in the exchange would.
class ThrowingConnector final : public PipeConnector {
  public:
    std::function<void()> raise;
    bool Wait(const std::u16string&, std::uint32_t) override {
        raise();
        return false;
    }
    bool Open(const std::u16string&) override {
        raise();
        return false;
    }
    bool SetByteMode() override { return false; }
    bool Write(std::span<const std::uint8_t>) override { return false; }
    bool Read(std::span<std::uint8_t>, std::size_t& bytesRead) override {
        bytesRead = 0;
        return false;
    }
    void Close() override {}
    std::uint32_t LastError() const override { return 0; }
    void ClearLastError() override {}
    std::u16string SystemMessage(std::uint32_t) const override { return {}; }
};

struct FindById {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK MatchId(HWND window, LPARAM search) {
    auto* find = reinterpret_cast<FindById*>(search);
    if (GetDlgCtrlID(window) == find->id) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Descendant(HWND parent, int id) {
    FindById find{id};
    EnumChildWindows(parent, &MatchId, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

TEST(GuardedCallTest, TheMainWindowReportsAnEscapedFailureThroughItsDesktop) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    // RunSearch tells a Failure or a lack of memory with its own prefix; these get past it.
    const std::vector<ThrowCase> escaping = {ThrowCases()[1], ThrowCases()[3]};
    for (const ThrowCase& c : escaping) {
        MemorySettingsStore store;
        store.Seed(u"ServerName", StoredValue::Text(u"SRV"));
        testing::RecordingDesktopServices desktop;
        auto connector = std::make_shared<ThrowingConnector>();
        connector->raise = c.raise;
        auto window = std::make_unique<TKestrineClient>(store, desktop, connector);
        ASSERT_NE(window->Create(), nullptr);
        SetWindowTextW(Descendant(window->Handle(), kIdCmbQuery), L"report");
        for (int attempt = 1; attempt <= 2; ++attempt) {
            SendMessageW(window->Handle(), WM_COMMAND, kActionGo, 0);
            ASSERT_EQ(desktop.messages.size(), static_cast<std::size_t>(attempt)) << c.name;
            EXPECT_EQ(desktop.messages.back().text, c.shown) << c.name;
            EXPECT_EQ(desktop.messages.back().icon, MessageIcon::Error) << c.name;
            EXPECT_EQ(desktop.waitDepth, 0) << c.name << ": the hourglass went away again";
        }
    }
}

}  // namespace
}  // namespace kestrine
