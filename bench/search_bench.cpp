// The result list over a page of 1,000,000 hits ("Large"; "Small" runs 1,000 for a quick
// check), the page filled the way the program fills it: from a compressed answer read as it
// inflates. Goals: sorting by any column takes at most 1.2 times as long as std::sort over bare
// copies of that column's keys, and the CSV export at most 3 times as long as writing the
// same bytes to the same file in one call. SortVersusBareKeys and CsvVersusOneWrite time both
// sides in every round and print the ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/deflate.h"
#include "common/failure.h"
#include "common/text.h"
#include "search/csv_export.h"
#include "protocol/answer_writers.h"
#include "search/result_list.h"
#include "search/search_answer_reader.h"
#include "search/value_formatter.h"

namespace kestrine {
namespace {

constexpr std::size_t kLarge = 1'000'000;
constexpr std::size_t kSmall = 1'000;
constexpr std::uint32_t kShuffleSeed = 4711;

const char* const kShares[] = {"public", "shared", "users", "media", "backup", "projects"};
const char* const kFolders[] = {
    "Documents", "Photos", "2019", "2023",   "Invoices",         "Music",
    "Reports",   "src",    "old",  "Drafts", "Holiday Pictures", "Video",
    "archive",   "scans"};
const char* const kStems[] = {"report",   "IMG_",        "budget",          "notes",
                              "setup",    "track",       "meeting minutes", "DSC",
                              "invoice-", "presentation"};
const char* const kExtensions[] = {".docx", ".jpg", ".pdf", ".xlsx", ".mp3",
                                   ".txt",  ".zip", ".exe", ".png",  ".avi"};

template <std::size_t N>
const char* Pick(std::mt19937& random, const char* const (&words)[N]) {
    return words[random() % N];
}

std::vector<TFileSearchItem> MakePage(std::size_t count) {
    std::mt19937 random(20240611);
    std::vector<TFileSearchItem> rows(count);
    for (auto& row : rows) {
        std::string folder = Pick(random, kShares);
        for (int depth = static_cast<int>(random() % 3); depth >= 0; --depth) {
            folder += std::string("\\") + Pick(random, kFolders);
        }
        row.Folder = FromAscii(folder);
        row.FileName = FromAscii(std::string(Pick(random, kStems)) +
                                 std::to_string(random() % 100000) + Pick(random, kExtensions));
        row.Computer = FromAscii("\\\\PC-" + std::to_string(random() % 300));
        row.Size = static_cast<std::int64_t>(random() % 4'000'000'000u);
        row.Modified = 40000.0 + (random() % 6000) + (random() % 86400000) / 86400000.0;
        row.Attributes = random() % 10 == 0 ? 16 : 32;
    }
    return rows;
}

// Each page is made once, when a benchmark first asks for it.
const std::vector<TFileSearchItem>& Page(std::size_t count) {
    static std::map<std::size_t, std::vector<TFileSearchItem>> pages;
    auto found = pages.find(count);
    if (found == pages.end()) {
        found = pages.emplace(count, MakePage(count)).first;
    }
    return found->second;
}

template <typename T>
void Shuffle(std::vector<T>& values) {
    std::mt19937 random(kShuffleSeed);
    std::shuffle(values.begin(), values.end(), random);
}

// A page as FetchSearchPage fills it from an answer holding the items.
SearchResultList Received(std::span<const TFileSearchItem> items) {
    SearchResultList page;
    ReadSearchAnswer(Deflate(WriteSearchResults(items)), page);
    return page;
}

// The hits in shuffled order.
SearchResultList ShuffledList(std::size_t count) {
    std::vector<TFileSearchItem> items = Page(count);
    Shuffle(items);
    return Received(items);
}

// The hits in the order the server sent them, and the same after a sort by file name.
SearchResultList ReceivedList(std::size_t count, bool sorted) {
    SearchResultList list = Received(Page(count));
    if (sorted) {
        list.ColumnClick(0);
    }
    return list;
}

void SortResults(benchmark::State& state, std::size_t rows) {
    const int column = static_cast<int>(state.range(0)) - 1;
    // A sort builds the index from the records alone, so every click costs the same; the
    // direction alternates.
    SearchResultList list = ShuffledList(rows);
    for (auto _ : state) {
        list.ColumnClick(column);
        benchmark::DoNotOptimize(list.Row(0));
    }
}

template <typename Key, typename Extract>
void SortKeys(benchmark::State& state, std::size_t rows, Extract extract) {
    std::vector<Key> keys;
    keys.reserve(rows);
    for (const auto& item : Page(rows)) {
        keys.push_back(extract(item));
    }
    for (auto _ : state) {
        state.PauseTiming();
        Shuffle(keys);
        state.ResumeTiming();
        std::sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys.data());
    }
}

void SortBareKeys(benchmark::State& state, std::size_t rows) {
    switch (state.range(0)) {
        case 1:
            SortKeys<std::u16string>(state, rows, [](const auto& item) { return item.FileName; });
            break;
        case 2:
            SortKeys<std::u16string>(state, rows, [](const auto& item) { return item.Folder; });
            break;
        case 3:
            SortKeys<std::u16string>(state, rows, [](const auto& item) { return item.Computer; });
            break;
        case 4:
            SortKeys<std::int64_t>(state, rows, [](const auto& item) { return item.Size; });
            break;
        default:
            SortKeys<double>(state, rows, [](const auto& item) { return item.Modified; });
            break;
    }
}

// One column's bare keys, shuffled as the page's rows are.
template <typename Key, typename Extract>
std::vector<Key> ShuffledKeys(std::size_t rows, Extract extract) {
    std::vector<TFileSearchItem> items = Page(rows);
    Shuffle(items);
    std::vector<Key> keys;
    keys.reserve(rows);
    for (const auto& item : items) {
        keys.push_back(extract(item));
    }
    return keys;
}

// Processor time of the process, not wall time: on a shared machine the ratios must not
// depend on what else runs, nor on when the system writes its file cache back to disk.
double Seconds(std::clock_t duration) {
    return static_cast<double>(duration) / CLOCKS_PER_SEC;
}

template <typename Key, typename Extract>
void SortBeside(benchmark::State& state, std::size_t rows, Extract extract) {
    const int column = static_cast<int>(state.range(0)) - 1;
    SearchResultList list = ShuffledList(rows);
    const std::vector<Key> shuffled = ShuffledKeys<Key>(rows, extract);
    double page = 0;
    double bare = 0;
    for (auto _ : state) {
        std::vector<Key> keys = shuffled;
        // One timed click that sorts ascending, like the bare sort: a column already sorted
        // ascending is first turned round, untimed.
        if (list.Tag() == column + 1) {
            list.ColumnClick(column);
        }
        const auto start = std::clock();
        std::sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys.data());
        const auto sorted = std::clock();
        list.ColumnClick(column);
        const auto clicked = std::clock();
        benchmark::DoNotOptimize(list.Row(0));
        bare += Seconds(sorted - start);
        page += Seconds(clicked - sorted);
    }
    state.counters["page_sort_per_bare_sort"] = page / bare;
}

void SortVersusBareKeys(benchmark::State& state, std::size_t rows) {
    switch (state.range(0)) {
        case 1:
            SortBeside<std::u16string>(state, rows, [](const auto& item) { return item.FileName; });
            break;
        case 2:
            SortBeside<std::u16string>(state, rows, [](const auto& item) { return item.Folder; });
            break;
        case 3:
            SortBeside<std::u16string>(state, rows, [](const auto& item) { return item.Computer; });
            break;
        case 4:
            SortBeside<std::int64_t>(state, rows, [](const auto& item) { return item.Size; });
            break;
        default:
            SortBeside<double>(state, rows, [](const auto& item) { return item.Modified; });
            break;
    }
}

BENCHMARK_CAPTURE(SortVersusBareKeys, Large, kLarge)
    ->DenseRange(1, 5)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);
BENCHMARK_CAPTURE(SortVersusBareKeys, Small, kSmall)->DenseRange(1, 5);
BENCHMARK_CAPTURE(SortResults, Large, kLarge)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortBareKeys, Large, kLarge)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortResults, Small, kSmall)->DenseRange(1, 5);
BENCHMARK_CAPTURE(SortBareKeys, Small, kSmall)->DenseRange(1, 5);

// Both sides write to a real file through the same sink, as the program does.
class FileSink : public ByteSink {
  public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    void Write(std::span<const std::uint8_t> bytes) override {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            throw Failure(u"write failed");
        }
    }

  private:
    std::FILE* file_;
};

class MemorySink : public ByteSink {
  public:
    void Write(std::span<const std::uint8_t> bytes) override {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> bytes_;
};

template <typename WriteAll>
void WriteToFile(benchmark::State& state, std::size_t bytes, WriteAll writeAll) {
    for (auto _ : state) {
        std::FILE* file = std::tmpfile();
        if (file == nullptr) {
            state.SkipWithError("no temporary file");
            return;
        }
        std::setvbuf(file, nullptr, _IONBF, 0);
        FileSink sink(file);
        writeAll(sink);
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Argument 0: the page as received (the goal); 1: after a sort, when the rows are visited in
// an order unrelated to where their texts lie in memory.
void ExportCsv(benchmark::State& state, std::size_t rows) {
    const SearchResultList list = ReceivedList(rows, state.range(0) != 0);
    MemorySink memory;
    WriteResultsCsv(list, u",", PortableValueFormatter(), memory);
    const PortableValueFormatter formatter;
    WriteToFile(state, memory.bytes_.size(),
                [&](ByteSink& sink) { WriteResultsCsv(list, u",", formatter, sink); });
}

void WriteCsvBytesOnce(benchmark::State& state, std::size_t rows) {
    MemorySink memory;
    WriteResultsCsv(ReceivedList(rows, false), u",", PortableValueFormatter(), memory);
    WriteToFile(state, memory.bytes_.size(), [&](ByteSink& sink) { sink.Write(memory.bytes_); });
}

std::FILE* UnbufferedTemporaryFile() {
    std::FILE* file = std::tmpfile();
    if (file != nullptr) {
        std::setvbuf(file, nullptr, _IONBF, 0);
    }
    return file;
}

// The export of the page as received beside one write of its bytes, both to a fresh file.
void CsvVersusOneWrite(benchmark::State& state, std::size_t rows) {
    const SearchResultList list = ReceivedList(rows, false);
    MemorySink memory;
    const PortableValueFormatter formatter;
    WriteResultsCsv(list, u",", formatter, memory);
    // The first file a process writes makes the system find fresh pages for it, which can
    // cost ten times a later write; a round before the timed ones keeps that out of both.
    if (std::FILE* warmUp = UnbufferedTemporaryFile()) {
        FileSink sink(warmUp);
        sink.Write(memory.bytes_);
        WriteResultsCsv(list, u",", formatter, sink);
        std::fclose(warmUp);
    }
    double exporting = 0;
    double writing = 0;
    for (auto _ : state) {
        std::FILE* once = UnbufferedTemporaryFile();
        std::FILE* csv = UnbufferedTemporaryFile();
        if (once == nullptr || csv == nullptr) {
            state.SkipWithError("no temporary file");
            return;
        }
        FileSink onceSink(once);
        FileSink csvSink(csv);
        // Each side goes first every other round.
        const bool writeFirst = state.iterations() % 2 == 0;
        std::clock_t start = std::clock();
        if (writeFirst) {
            onceSink.Write(memory.bytes_);
            writing += Seconds(std::clock() - start);
        }
        start = std::clock();
        WriteResultsCsv(list, u",", formatter, csvSink);
        exporting += Seconds(std::clock() - start);
        if (!writeFirst) {
            start = std::clock();
            onceSink.Write(memory.bytes_);
            writing += Seconds(std::clock() - start);
        }
        std::fclose(once);
        std::fclose(csv);
    }
    state.counters["csv_per_one_write"] = exporting / writing;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * memory.bytes_.size()));
}

BENCHMARK_CAPTURE(CsvVersusOneWrite, Large, kLarge)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK_CAPTURE(CsvVersusOneWrite, Small, kSmall);
BENCHMARK_CAPTURE(ExportCsv, Large, kLarge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteCsvBytesOnce, Large, kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportCsv, Small, kSmall)->Arg(0);
BENCHMARK_CAPTURE(WriteCsvBytesOnce, Small, kSmall);

}  // namespace
}  // namespace kestrine

BENCHMARK_MAIN();
