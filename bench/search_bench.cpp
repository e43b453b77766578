// The result list over a page of 1,000,000 hits. Goals: sorting by any column takes at most
// 1.5 times as long as std::sort over bare copies of that column's keys, and the CSV export
// at most 3 times as long as writing the same bytes to the same file in one call.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/text.h"
#include "search/csv_export.h"
#include "search/result_list.h"
#include "search/value_formatter.h"

namespace kestrine {
namespace {

constexpr std::size_t kRows = 1'000'000;
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

const std::vector<TFileSearchItem>& Page() {
    static const std::vector<TFileSearchItem> page = [] {
        std::mt19937 random(20240611);
        std::vector<TFileSearchItem> rows(kRows);
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
    }();
    return page;
}

template <typename T>
void Shuffle(std::vector<T>& values) {
    std::mt19937 random(kShuffleSeed);
    std::shuffle(values.begin(), values.end(), random);
}

// The hits in shuffled order, as a list and as records.
const SearchResultList& ShuffledList() {
    static const SearchResultList list = [] {
        std::vector<TFileSearchItem> items = Page();
        Shuffle(items);
        SearchResultList shuffled;
        for (auto& item : items) {
            shuffled.Append(std::move(item));
        }
        return shuffled;
    }();
    return list;
}

// The hits in the order the server sent them, and the same after a sort by file name.
const SearchResultList& ReceivedList(bool sorted) {
    static const auto lists = [] {
        std::pair<SearchResultList, SearchResultList> made;
        for (const auto& item : Page()) {
            made.first.Append(TFileSearchItem(item));
        }
        made.second = made.first;
        made.second.ColumnClick(0);
        return made;
    }();
    return sorted ? lists.second : lists.first;
}

void SortResults(benchmark::State& state) {
    const int column = static_cast<int>(state.range(0)) - 1;
    for (auto _ : state) {
        state.PauseTiming();
        SearchResultList list = ShuffledList();
        state.ResumeTiming();
        list.ColumnClick(column);
        benchmark::DoNotOptimize(list.Row(0));
        state.PauseTiming();
        list = SearchResultList();
        state.ResumeTiming();
    }
}

template <typename Key, typename Extract>
void SortKeys(benchmark::State& state, Extract extract) {
    std::vector<Key> keys;
    keys.reserve(kRows);
    for (const auto& item : Page()) {
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

void SortBareKeys(benchmark::State& state) {
    switch (state.range(0)) {
        case 1:
            SortKeys<std::u16string>(state, [](const auto& item) { return item.FileName; });
            break;
        case 2:
            SortKeys<std::u16string>(state, [](const auto& item) { return item.Folder; });
            break;
        case 3:
            SortKeys<std::u16string>(state, [](const auto& item) { return item.Computer; });
            break;
        case 4:
            SortKeys<std::int64_t>(state, [](const auto& item) { return item.Size; });
            break;
        default:
            SortKeys<double>(state, [](const auto& item) { return item.Modified; });
            break;
    }
}

BENCHMARK(SortResults)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(SortBareKeys)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

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

std::size_t CsvSize() {
    static const std::size_t size = [] {
        MemorySink sink;
        WriteResultsCsv(ReceivedList(false), u",", PortableValueFormatter(), sink);
        return sink.bytes_.size();
    }();
    return size;
}

void ExportCsv(benchmark::State& state) {
    const PortableValueFormatter formatter;
    WriteToFile(state, CsvSize(), [&](ByteSink& sink) {
        WriteResultsCsv(ReceivedList(state.range(0) != 0), u",", formatter, sink);
    });
}

void WriteCsvBytesOnce(benchmark::State& state) {
    MemorySink memory;
    WriteResultsCsv(ReceivedList(false), u",", PortableValueFormatter(), memory);
    WriteToFile(state, memory.bytes_.size(), [&](ByteSink& sink) { sink.Write(memory.bytes_); });
}

// Argument 0: the page as received (the goal); 1: after a sort, when the rows are visited in
// an order unrelated to where their texts lie in memory.
BENCHMARK(ExportCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteCsvBytesOnce)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrine

BENCHMARK_MAIN();
