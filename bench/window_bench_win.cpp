// Times the real main window on one page of many rows, driven by messages to its controls as
// a user would drive it: Go until the rows are shown and painted, then a click on the File
// Size header and one on the File Name header. Each is the processor time of the client's
// side of the process (everything but the serving threads), beside a floor taken in the same
// process: the same answer read from the pipe and inflated, with nothing else done to it. The
// generated sizes grow with the row, so the File Size click sorts rows already in its order;
// the names share their first nine characters. A plain program (Google Benchmark is not
// built for MinGW); run it under Wine:
//   window_bench_win.exe [ROWS...]        (default: 100000 1000000)
// Each row count runs in a process of its own, so that each peak working set is its own.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "answer_pipe_server.h"
#include "common/chunked_inflater.h"
#include "common/inflate.h"
#include "common/text.h"
#include "generated_page.h"
#include "gui/recording_desktop_services.h"
#include "protocol/request_document.h"
#include "settings/memory_settings_store.h"
#include "settings/settings.h"
#include "ui/control_ids.h"
#include "ui/gui_main.h"

namespace {

using namespace kestrine;

constexpr int kDefaultRows[] = {100000, 1000000};
// The query typed; the server answers the same page whatever is asked.
constexpr wchar_t kQuery[] = L"document";

struct Goals {
    double go = 1.5;
    double sizeClick = 0.25;
    double nameClick = 1.0;
    double peakMegabytes = 300;
};

struct Figures {
    int rows = 0;
    std::size_t answerBytes = 0;
    std::size_t inflatedBytes = 0;
    double floorMs = 0;
    double goMs = 0;
    double goWallMs = 0;
    double sizeClickMs = 0;
    double nameClickMs = 0;
    double peakMegabytes = 0;
    double beforeGoMegabytes = 0;  // the program's own: Wine, the generated answer, the window
    int rounds = 0;
    double wholeInflateMs = 0;  // the floor with the answer inflated whole, for comparison
};

void PrintHeader() {
    std::printf("%-8s %12s %14s %9s %9s %6s %9s %6s %9s %6s %8s %9s %8s %6s %9s\n", "rows",
                "answer bytes", "inflated bytes", "floor ms", "Go ms", "/floor", "size ms",
                "/floor", "name ms", "/floor", "peak MB", "Go wall", "base MB", "rounds",
                "whole ms");
}

void PrintFigures(const Figures& f) {
    std::printf(
        "%-8d %12zu %14zu %9.1f %9.1f %6.2f %9.1f %6.2f %9.1f %6.2f %8.1f %9.1f %8.1f %6d %9.1f\n",
        f.rows, f.answerBytes, f.inflatedBytes, f.floorMs, f.goMs, f.goMs / f.floorMs,
        f.sizeClickMs, f.sizeClickMs / f.floorMs, f.nameClickMs, f.nameClickMs / f.floorMs,
        f.peakMegabytes, f.goWallMs, f.beforeGoMegabytes, f.rounds, f.wholeInflateMs);
    std::fflush(stdout);
}

void PrintGoals() {
    const Goals goals;
    std::printf(
        "goals: Go <= %.2f x floor, size click <= %.2f x floor, name click <= %.2f x floor, "
        "peak <= %.0f MB\n",
        goals.go, goals.sizeClick, goals.nameClick, goals.peakMegabytes);
    std::printf(
        "processor ms, the mean of the rounds; floor: the answer read from the pipe and "
        "inflated a room at a time, on one thread; Go wall: elapsed ms of Go; base MB: the "
        "peak before Go (Wine, the generated answer, the empty window); whole ms: the floor "
        "with the answer inflated whole (InflateInPlace)\n");
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "window_bench_win: %s\n", what);
    std::fflush(stderr);
    std::_Exit(1);
}

double ProcessProcessorSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return AnswerPipeServer::Seconds(kernel) + AnswerPipeServer::Seconds(user);
}

double ThreadProcessorSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    return AnswerPipeServer::Seconds(kernel) + AnswerPipeServer::Seconds(user);
}

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Runs this thread's messages until none is left, paints included: the list paints when the
// queue is empty, as it does for the user.
void PumpUntilIdle() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The milliseconds of processor time the client's side of the process spends on a step: the
// process's less the serving threads'. The worker of an exchange has ended by then, and
// its time stays in the process's.
template <typename Step>
double ClientMilliseconds(const AnswerPipeServer& server, Step step) {
    const double before = ProcessProcessorSeconds() - server.ProcessorSeconds();
    step();
    return (ProcessProcessorSeconds() - server.ProcessorSeconds() - before) * 1000;
}

enum class Inflating { Streamed, Whole };

// The least the client could do with the answer: read it into a buffer of its own and
// inflate it, as the processor time of the one thread doing it; the mean of rounds. Streamed
// is the floor: every byte inflated once into a room used again, as the client's reader
// takes them (in rooms of the same size). Whole, with InflateInPlace, also pays for a buffer
// of the whole inflated answer, grown by doubling, which the client no longer makes.
double FloorMilliseconds(const Bytes& request, int rounds, Inflating inflating,
                         std::size_t& inflatedBytes) {
    constexpr std::size_t kRoom = std::size_t{256} << 10;
    std::vector<std::uint8_t> room(kRoom);
    const double before = ThreadProcessorSeconds();
    for (int round = 0; round < rounds; ++round) {
        Bytes buffer;
        buffer.resize(ReadAnswerAlone(request, buffer));
        if (inflating == Inflating::Whole) {
            InflateInPlace(buffer);
            inflatedBytes = buffer.size();
        } else {
            ChunkedInflater inflater(buffer);
            while (inflater.Inflate(room) > 0) {
            }
            inflatedBytes = inflater.TotalOut();
        }
    }
    return (ThreadProcessorSeconds() - before) * 1000 / rounds;
}

class MeasuredWindow {
  public:
    explicit MeasuredWindow(int rows) {
        store_.Seed(kServerNameValue, StoredValue::Text(u"."));
        store_.Seed(kRowLimitValue, StoredValue::Integer(rows));
        window_ = std::make_unique<TKestrineClient>(store_, desktop_);
        if (window_->Create() == nullptr) {
            Fail("the window was not created");
        }
        window_->Show(SW_SHOW);
        PumpUntilIdle();
    }

    void TypeQuery(const wchar_t* query) { SetWindowTextW(window_->Ui().cmbQuery, query); }

    // The button reports the click to the window as a real one does; the search runs on a
    // worker meanwhile and the click returns once its page is in the list.
    void ClickGo() {
        SendMessageW(window_->Ui().bbGo, BM_CLICK, 0, 0);
        ShowAll();
    }

    // A press and release on the header: the list turns it into LVN_COLUMNCLICK, as for the
    // user's click.
    void ClickHeader(int column) {
        const HWND header = ListView_GetHeader(List());
        RECT box{};
        Header_GetItemRect(header, column, &box);
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(header, WM_LBUTTONUP, 0, at);
        ShowAll();
    }

    int RowCount() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::u16string CountText() const { return window_->Ui().statusBar.Text(1); }
    bool SortedBy(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(ListView_GetHeader(List()), column, &item);
        return (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0;
    }
    // What the window told the user, each of which would have been a message box.
    std::size_t MessageCount() const { return desktop_.messages.size(); }
    std::u16string LastMessage() const {
        return desktop_.messages.empty() ? u"" : desktop_.messages.back().text;
    }

  private:
    HWND List() const { return window_->Ui().ViewResults; }

    // Whatever the step left queued, then the list painted now rather than at leisure.
    void ShowAll() {
        PumpUntilIdle();
        UpdateWindow(List());
        PumpUntilIdle();
    }

    MemorySettingsStore store_;
    testing::RecordingDesktopServices desktop_;
    std::unique_ptr<TKestrineClient> window_;
};

void Check(const MeasuredWindow& window, bool ok, const char* step) {
    if (!ok) {
        std::fprintf(stderr, "window_bench_win: %s went wrong: %d rows, status \"%s\"", step,
                     window.RowCount(), Utf16ToUtf8(window.CountText()).c_str());
        if (window.MessageCount() > 0) {
            std::fprintf(stderr, ", message \"%s\"", Utf16ToUtf8(window.LastMessage()).c_str());
        }
        std::fprintf(stderr, "\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
}

Figures Measure(int rows) {
    Figures figures;
    figures.rows = rows;
    // Generated before anything is measured. Static: the serving threads use both to the end
    // of the process, and one process measures one row count.
    static const Bytes answer = GeneratedSearchAnswer(rows);
    figures.answerBytes = answer.size();
    static AnswerPipeServer server(2, &answer);

    MeasuredWindow window(rows);
    window.TypeQuery(kQuery);
    figures.beforeGoMegabytes = PeakMegabytes();

    // Processor times come in whole ticks of the system's clock (10 ms under Wine): a figure
    // is the mean of as many rounds as make some two million rows in all. Each round starts
    // with Go, which puts the rows back in the server's order, so every click sorts from the
    // same order as the first.
    figures.rounds = std::max(3, 2000000 / rows);
    for (int round = 0; round < figures.rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        figures.goMs += ClientMilliseconds(server, [&] { window.ClickGo(); });
        figures.goWallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        Check(window,
              window.RowCount() == rows && window.MessageCount() == 0 &&
                  window.CountText().starts_with(u"Displaying 1 to ") && !window.SortedBy(3),
              "Go");
        figures.sizeClickMs += ClientMilliseconds(server, [&] { window.ClickHeader(3); });
        Check(window, window.SortedBy(3) && window.MessageCount() == 0, "the File Size click");
        figures.nameClickMs += ClientMilliseconds(server, [&] { window.ClickHeader(0); });
        Check(window, window.SortedBy(0) && window.MessageCount() == 0, "the File Name click");
    }
    for (double* sum :
         {&figures.goMs, &figures.goWallMs, &figures.sizeClickMs, &figures.nameClickMs}) {
        *sum /= figures.rounds;
    }
    // Read before the floor, whose whole inflated answer is the program's, not the client's.
    figures.peakMegabytes = PeakMegabytes();

    SearchQuery query;
    query.Limit = rows;
    query.Query = FromWide(kQuery);
    query.Extensions = u"*";
    const Bytes request = BuildSearchRequest(query);
    figures.floorMs =
        FloorMilliseconds(request, figures.rounds, Inflating::Streamed, figures.inflatedBytes);
    figures.wholeInflateMs =
        FloorMilliseconds(request, figures.rounds, Inflating::Whole, figures.inflatedBytes);
    return figures;
}

// Runs this program again for one row count and waits for it; its line goes to the same
// output as this one's.
void MeasureInChild(int rows) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(path) + L"\" --figures-only " + std::to_wstring(rows);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Fail("cannot start a measuring process");
    }
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(processHandle.get(), &exitCode);
    if (exitCode != 0) {
        Fail("a measuring process failed");
    }
}

void PrepareAsTheProgram() {
    SetThreadLocale(LOCALE_USER_DEFAULT);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    bool figuresOnly = false;
    std::vector<int> rowCounts;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--figures-only") {
            figuresOnly = true;
        } else if (const int rows = std::atoi(argv[i]); rows > 0) {
            rowCounts.push_back(rows);
        } else {
            std::fprintf(stderr, "usage: window_bench_win [ROWS...]\n");
            return 2;
        }
    }
    if (rowCounts.empty()) {
        rowCounts.assign(std::begin(kDefaultRows), std::end(kDefaultRows));
    }
    if (!figuresOnly) {
        PrintHeader();
    }
    if (rowCounts.size() == 1) {
        PrepareAsTheProgram();
        PrintFigures(Measure(rowCounts.front()));
    } else {
        for (const int rows : rowCounts) {
            MeasureInChild(rows);
        }
    }
    if (!figuresOnly) {
        PrintGoals();
    }
    // The serving threads never return, and the window goes with the process.
    std::_Exit(0);
}
