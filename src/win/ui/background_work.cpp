#include "ui/background_work.h"

#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "base/unique_handle.h"

namespace kestrine {

namespace {

// What the worker and this thread share. Both hold it, so neither outlives it.
struct SharedState {
    std::mutex mutex;
    std::deque<std::u16string> statusTexts;
    bool done = false;
    std::exception_ptr escaped;  // what the work let escape, for this thread to rethrow
    UniqueKernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           message == WM_NCMOUSEHOVER || message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE || message == WM_CONTEXTMENU;
}

bool IsWithin(HWND window, HWND target) {
    return target != nullptr && (target == window || IsChild(window, target));
}

// Takes the status texts reported so far, and whether the work has ended.
bool TakeReported(SharedState& state, std::deque<std::u16string>& texts) {
    const std::lock_guard lock(state.mutex);
    texts.swap(state.statusTexts);
    return state.done;
}

}  // namespace

void RunWithoutFreezing(HWND window, BackgroundWork work,
                        const std::function<void(const std::u16string&)>& showStatus) {
    auto state = std::make_shared<SharedState>();
    if (state->wake.get() == nullptr) {
        // Without an event to wait on, the work runs here: slower to repaint, never wrong.
        work(showStatus);
        return;
    }
    std::thread worker([state, work = std::move(work)] {
        const StatusSink report = [state](const std::u16string& text) {
            {
                const std::lock_guard lock(state->mutex);
                state->statusTexts.push_back(text);
            }
            SetEvent(state->wake.get());
        };
        std::exception_ptr escaped;
        try {
            work(report);
        } catch (...) {
            escaped = std::current_exception();
        }
        {
            const std::lock_guard lock(state->mutex);
            state->escaped = escaped;
            state->done = true;
        }
        SetEvent(state->wake.get());
    });

    // A disabled window gets no input from the system; the focus comes back afterwards.
    const HWND focus = GetFocus();
    const bool wasEnabled = EnableWindow(window, FALSE) == 0;
    bool quit = false;
    WPARAM quitCode = 0;
    std::deque<std::u16string> texts;
    while (true) {
        const bool done = TakeReported(*state, texts);
        for (const std::u16string& text : texts) {
            showStatus(text);
        }
        texts.clear();
        if (done) {
            break;
        }
        const HANDLE wake = state->wake.get();
        MsgWaitForMultipleObjectsEx(1, &wake, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Handed on to the message loop once the work has ended.
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            if (IsInput(message.message) && IsWithin(window, message.hwnd)) {
                continue;  // typed or clicked while waiting: dropped, as a busy window would
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    worker.join();
    if (wasEnabled) {
        EnableWindow(window, TRUE);
    }
    if (focus != nullptr && IsWindow(focus) && IsWithin(window, focus)) {
        SetFocus(focus);
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(quitCode));
    }
    if (state->escaped) {
        // As if the work had run here: the window's own barrier reports it.
        std::rethrow_exception(state->escaped);
    }
}

}  // namespace kestrine
