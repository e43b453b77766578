// Decoding a search answer: inflating alone, and inflating plus reading the rows into
// records. Goals: reading takes at most half the time of inflating, and the records take at
// most twice the memory of the inflated stream.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/deflate.h"
#include "common/inflate.h"
#include "common/text.h"
#include "protocol/answer_layouts.h"
#include "protocol/answer_writers.h"

namespace kestrine {
namespace {

constexpr std::int64_t kLargeRows = 1'000'000;
constexpr std::int64_t kSmallRows = 1'000;

// A small deterministic generator, so every run measures the same answer.
class Generator {
  public:
    std::uint32_t Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    template <std::size_t N>
    const char* Pick(const char* const (&words)[N]) {
        return words[Next() % N];
    }

  private:
    std::uint64_t state_ = 20240611;
};

const char* const kShares[] = {"public", "shared", "users", "media", "backup", "projects"};
const char* const kFolders[] = {
    "Documents", "Photos",  "2019", "2023",   "Invoices",         "Music",
    "Reports",   "src",     "old",  "Drafts", "Holiday Pictures", "Quarterly",
    "Video",     "archive", "scans"};
const char* const kStems[] = {"report",   "IMG_",        "budget",          "notes",
                              "setup",    "track",       "meeting minutes", "DSC",
                              "invoice-", "presentation"};
const char* const kExtensions[] = {".docx", ".jpg", ".pdf", ".xlsx", ".mp3",
                                   ".txt",  ".zip", ".exe", ".png",  ".avi"};

std::u16string Ascii(const std::string& text) {
    return FromAscii(text);
}

std::vector<TFileSearchItem> GenerateRows(std::int64_t count) {
    Generator g;
    std::vector<TFileSearchItem> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        TFileSearchItem row;
        row.Computer = Ascii("\\\\WKS-" + std::to_string(100 + g.Next() % 400));
        std::string folder = g.Pick(kShares);
        for (std::uint32_t depth = 1 + g.Next() % 3; depth > 0; --depth) {
            folder += std::string("\\") + g.Pick(kFolders);
        }
        row.Folder = Ascii(folder + "\\");
        row.FileName =
            Ascii(g.Pick(kStems) + std::to_string(g.Next() % 100000) + g.Pick(kExtensions));
        row.Size = g.Next() % 50'000'000;
        row.Modified = 40000 + (g.Next() % 5000) + (g.Next() % 86400) / 86400.0;
        row.Attributes = 32;
        rows.push_back(std::move(row));
    }
    return rows;
}

struct Answer {
    Bytes compressed;
    std::size_t inflatedSize = 0;
};

const Answer& AnswerOf(std::int64_t rows) {
    static std::map<std::int64_t, Answer> answers;
    Answer& answer = answers[rows];
    if (answer.compressed.empty()) {
        const Bytes stream = WriteSearchResults(GenerateRows(rows));
        answer.inflatedSize = stream.size();
        answer.compressed = Deflate(stream);
    }
    return answer;
}

std::size_t HeapBytes(const std::u16string& text) {
    static const std::size_t kInline = std::u16string().capacity();
    return text.capacity() > kInline ? (text.capacity() + 1) * sizeof(char16_t) : 0;
}

std::size_t RecordBytes(const std::vector<TFileSearchItem>& records) {
    std::size_t bytes = records.capacity() * sizeof(TFileSearchItem);
    for (const TFileSearchItem& r : records) {
        bytes += HeapBytes(r.Computer) + HeapBytes(r.Folder) + HeapBytes(r.FileName);
    }
    return bytes;
}

void Inflate(benchmark::State& state, std::int64_t rows) {
    const Answer& answer = AnswerOf(rows);
    for (auto _ : state) {
        Bytes buffer = answer.compressed;
        InflateInPlace(buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(answer.inflatedSize));
}

void InflateAndRead(benchmark::State& state, std::int64_t rows) {
    const Answer& answer = AnswerOf(rows);
    // Processor time, not wall time: the ratio must not depend on what else the machine runs.
    std::clock_t inflating = 0;
    std::clock_t reading = 0;
    double memoryRatio = 0;
    for (auto _ : state) {
        Bytes buffer = answer.compressed;
        std::vector<TFileSearchItem> records;
        // The caller knows the page size it asked for.
        records.reserve(static_cast<std::size_t>(rows));
        const std::clock_t start = std::clock();
        InflateInPlace(buffer);
        const std::clock_t inflated = std::clock();
        ReadSearchResults(buffer,
                          [&](TFileSearchItem&& item) { records.push_back(std::move(item)); });
        const std::clock_t read = std::clock();
        inflating += inflated - start;
        reading += read - inflated;
        memoryRatio = static_cast<double>(RecordBytes(records)) / answer.inflatedSize;
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["read_per_inflate"] =
        static_cast<double>(reading) / static_cast<double>(std::max<std::clock_t>(inflating, 1));
    state.counters["records_per_inflated_bytes"] = memoryRatio;
    state.counters["inflated_MB"] = answer.inflatedSize / 1e6;
}

void BM_Inflate(benchmark::State& state) {
    Inflate(state, kLargeRows);
}
void BM_InflateAndRead(benchmark::State& state) {
    InflateAndRead(state, kLargeRows);
}
void BM_InflateSmall(benchmark::State& state) {
    Inflate(state, kSmallRows);
}
void BM_InflateAndReadSmall(benchmark::State& state) {
    InflateAndRead(state, kSmallRows);
}

BENCHMARK(BM_Inflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateAndRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InflateAndReadSmall)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrine

BENCHMARK_MAIN();
