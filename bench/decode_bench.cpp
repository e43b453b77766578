// Decoding a search answer the way FetchSearchPage does after the exchange: inflated in
// chunks and read into the result page as the bytes come (ReadSearchAnswer), beside inflating
// alone (the floor). Goals at 1,000,000 rows: inflate + read at most 1.25 times inflate alone
// (BM_InflateAndRead's inflate_read_per_chunked_inflate), and the page at most as large as the
// inflated stream. BM_ZlibBomb reads 6 GiB of zeros
// (about 6 MB compressed): it must end in "insufficient memory" at a peak working set of at
// most 300 MB; run it alone for a clean peak:
//   decode_bench --benchmark_filter=ZlibBomb
#include <benchmark/benchmark.h>
#include <zlib.h>

#if defined(__unix__)
#include <sys/resource.h>
#endif

#include <algorithm>
#include <ctime>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/chunked_inflater.h"
#include "common/deflate.h"
#include "common/inflate.h"
#include "common/text.h"
#include "common/failure.h"
#include "protocol/answer_writers.h"
#include "search/result_list.h"
#include "search/search_answer_reader.h"

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

// The window ReadSearchAnswer inflates into.
constexpr std::size_t kReaderWindow = std::size_t{256} << 10;

void InflateInChunks(const Answer& answer, std::vector<std::uint8_t>& window) {
    ChunkedInflater inflater(answer.compressed, answer.inflatedSize);
    while (inflater.Inflate(window) != 0) {
    }
    benchmark::DoNotOptimize(window.data());
}

// All sides in every round, so that the ratios are taken side by side on a noisy machine:
// reading against inflating whole in place, and against inflating in chunks alone (the floor
// of reading as the answer inflates).
void InflateAndRead(benchmark::State& state, std::int64_t rows) {
    const Answer& answer = AnswerOf(rows);
    std::vector<std::uint8_t> window(kReaderWindow);
    // Processor time, not wall time: the ratio must not depend on what else the machine runs.
    std::clock_t inflating = 0;
    std::clock_t inflatingInChunks = 0;
    std::clock_t reading = 0;
    double memoryRatio = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        {
            Bytes buffer = answer.compressed;
            InflateInPlace(buffer);
            benchmark::DoNotOptimize(buffer.data());
        }
        const std::clock_t inflated = std::clock();
        InflateInChunks(answer, window);
        const std::clock_t inflatedInChunks = std::clock();
        SearchResultList page;
        ReadSearchAnswer(answer.compressed, page);
        const std::clock_t read = std::clock();
        inflating += inflated - start;
        inflatingInChunks += inflatedInChunks - inflated;
        reading += read - inflatedInChunks;
        memoryRatio = static_cast<double>(page.MemoryBytes()) / answer.inflatedSize;
        if (page.Count() != static_cast<std::size_t>(rows)) {
            state.SkipWithError("rows lost");
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["inflate_read_per_inflate"] =
        static_cast<double>(reading) / static_cast<double>(std::max<std::clock_t>(inflating, 1));
    state.counters["inflate_read_per_chunked_inflate"] =
        static_cast<double>(reading) /
        static_cast<double>(std::max<std::clock_t>(inflatingInChunks, 1));
    state.counters["page_per_inflated_bytes"] = memoryRatio;
    state.counters["inflated_MB"] = answer.inflatedSize / 1e6;
}

// Inflating alone the way the reader does, into one window that is overwritten: the lower
// floor, since nothing grows a buffer or touches fresh memory.
void BM_InflateInChunks(benchmark::State& state) {
    const Answer& answer = AnswerOf(kLargeRows);
    std::vector<std::uint8_t> window(kReaderWindow);
    for (auto _ : state) {
        InflateInChunks(answer, window);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(answer.inflatedSize));
}

// 6 GiB of zeros, compressed piece by piece so that building it needs little memory.
Bytes ZlibBomb() {
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    const std::vector<std::uint8_t> zeros(std::size_t{1} << 20, 0);
    Bytes out(std::size_t{16} << 20);
    for (int mib = 0; mib < 6 * 1024; ++mib) {
        z.next_in = const_cast<Bytef*>(zeros.data());
        z.avail_in = static_cast<uInt>(zeros.size());
        while (z.avail_in > 0) {
            z.next_out = out.data() + z.total_out;
            z.avail_out = static_cast<uInt>(out.size() - z.total_out);
            deflate(&z, Z_NO_FLUSH);
        }
    }
    z.next_out = out.data() + z.total_out;
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void BM_ZlibBomb(benchmark::State& state) {
    const Bytes bomb = ZlibBomb();
    std::string outcome;
    for (auto _ : state) {
        SearchResultList page;
        try {
            ReadSearchAnswer(bomb, page);
            outcome = "ok";
        } catch (const Failure& failure) {
            outcome = Utf16ToUtf8(failure.Message());
        }
    }
    if (outcome != "insufficient memory") {
        state.SkipWithError(("ended in: " + outcome).c_str());
    }
    state.counters["compressed_MB"] = bomb.size() / 1e6;
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = usage.ru_maxrss / 1024.0;
#endif
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
BENCHMARK(BM_InflateInChunks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflateSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InflateAndReadSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibBomb)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kestrine

BENCHMARK_MAIN();
