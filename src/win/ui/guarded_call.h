#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace kestrine {

// What the user reads when a failure of no known kind reaches a window or dialog procedure.
inline constexpr char16_t kUnexpectedErrorText[] = u"An unexpected error occurred.";

// The text for the exception being handled; call it only inside a catch block. May throw
// itself (out of memory while copying the text).
std::u16string CurrentFailureText();

// Shows the generic error text in a plain message box, for when reporting failed as well.
void ReportFailureAsLastResort() noexcept;

// The exception barrier of every window, dialog and subclass procedure: runs handler and
// returns its result; when it throws, tells the user through report (called with the
// failure's text) and returns fallback. Nothing leaves it, and nothing is swallowed silently:
// should report throw too, a plain message box still says that something went wrong.
template <typename Report, typename Handler, typename Result>
Result GuardedCall(Report&& report, Handler&& handler, Result fallback) noexcept {
    try {
        return std::forward<Handler>(handler)();
    } catch (...) {
        try {
            std::forward<Report>(report)(CurrentFailureText());
        } catch (...) {
            ReportFailureAsLastResort();
        }
    }
    return fallback;
}

}  // namespace kestrine
