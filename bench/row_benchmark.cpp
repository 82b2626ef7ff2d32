// In-process cost of making rows: the block writer the tool uses against
// formatting every row from scratch.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "page_text.h"
#include "table_rows.h"

namespace {

constexpr std::size_t kBufferBytes = 256 * 1024;

void BM_TableRows(benchmark::State& state) {
    std::vector<char> buffer(kBufferBytes);
    const auto first = static_cast<std::uint32_t>(state.range(0));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TableRows rows(first, first + 1000000);
        while (!rows.done())
            bytes += static_cast<std::int64_t>(rows.fill(buffer.data(), buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(bytes);
}

void BM_FormatEveryRow(benchmark::State& state) {
    std::vector<char> buffer(kBufferBytes);
    const auto first = static_cast<std::uint64_t>(state.range(0));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        char* out = buffer.data();
        for (std::uint64_t row = first; row < first + 1000000; row += kCellsPerRow) {
            if (static_cast<std::size_t>(buffer.data() + buffer.size() - out) < kMaxRowBytes) {
                bytes += out - buffer.data();
                out = buffer.data();
            }
            out = format_row(out, row);
        }
        bytes += out - buffer.data();
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(bytes);
}

// A million values each, with short and with ten-digit numbers.
BENCHMARK(BM_TableRows)->Arg(0)->Arg(4000000000);
BENCHMARK(BM_FormatEveryRow)->Arg(0)->Arg(4000000000);

}  // namespace

BENCHMARK_MAIN();
