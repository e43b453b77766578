#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "exchange/server_exchange.h"

namespace kestrine {

// Runs a long piece of work (an exchange with the server and the decoding of its answer) on
// a worker thread, so that the window keeps repainting while the user waits. It returns when
// the work has ended, as a plain call would: the window takes no input meanwhile (no keys,
// clicks, menus or shortcuts reach it), so one operation runs at a time, and everything the
// user sees changes on this thread. Status texts the work reports go to showStatus on this
// thread, in the order reported, while it runs.
//
// The work runs on another thread: it must capture nothing on this thread's stack, only
// values and objects that outlive the call. Failures it expects it reports through what it
// captured; anything else it lets escape is thrown again here, once the window takes input
// again, as if the work had run on this thread.
using BackgroundWork = std::function<void(const StatusSink& status)>;

void RunWithoutFreezing(HWND window, BackgroundWork work,
                        const std::function<void(const std::u16string&)>& showStatus);

}  // namespace kestrine
