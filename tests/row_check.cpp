// Checks the row engine (TableRows) against plain formatting (format_row)
// for every row start below 2^32 and every place a block can start modulo
// 100: all the states its stepping can be in. A full run compares about
// 10.4 TB of rows and takes about twenty minutes on two cores; a slice
// takes seconds. On the first difference it prints the First and Last that
// show it (the tool itself, run with them, writes the same rows) and the
// row, and fails.
//
// Usage: row_check [--from N] [--below N] [--alignment A] [--threads T]
//   --from, --below  the row starts to check (default: 0 up to 4294967295,
//                    the largest Last)
//   --alignment A    only blocks that start at A modulo 100 (default: all)
//   --threads T      worker threads (default: one a core)
//
// The range is cut into work at every power of ten (where numbers gain a
// digit) and every 2^27 values, and each piece of work runs the engine as
// the tool would: from a First of the wanted alignment, filling room of the
// size the tool gives it. A piece's run goes on a little past its end, so
// the steps from its last blocks into the next piece's first are checked
// too; and a piece's run starting afresh loses nothing, because a stepped
// block holds exactly what formatting the same rows would give.
//
// The five alignments that share a remainder modulo 20 make the same rows,
// starting one to four rows apart, so they share one stream of formatted
// rows: formatting is the slow part.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "page_file.h"
#include "page_text.h"
#include "table_rows.h"

namespace {

constexpr std::uint64_t kLargestLast = 4294967295;
constexpr std::uint64_t kPieceValues = std::uint64_t{1} << 27;
constexpr std::uint64_t kOverlap = 2 * TableRows::kBlockValues;
constexpr std::uint64_t kAlignments = TableRows::kBlockValues;

struct Options {
    std::uint64_t from = 0;
    std::uint64_t below = kLargestLast;
    int alignment = -1;  // all
    unsigned threads = std::max(1U, std::thread::hardware_concurrency());
};

// Row starts [begin, end) that leave `remainder` modulo 20.
struct Work {
    std::uint64_t begin;
    std::uint64_t end;
    unsigned remainder;
};

std::uint64_t first_at_or_above(std::uint64_t at_least, std::uint64_t modulus,
                                std::uint64_t remainder) {
    const std::uint64_t base = at_least - at_least % modulus + remainder;
    return base >= at_least ? base : base + modulus;
}

std::vector<Work> cut_into_work(const Options& options) {
    std::vector<std::uint64_t> cuts = {options.from};
    for (std::uint64_t power = 10; power < options.below; power *= 10)
        if (power > options.from) cuts.push_back(power);
    cuts.push_back(options.below);
    std::vector<Work> work;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        for (std::uint64_t begin = cuts[i]; begin < cuts[i + 1]; begin += kPieceValues) {
            const std::uint64_t end = std::min(begin + kPieceValues, cuts[i + 1]);
            for (unsigned remainder = 0; remainder < kCellsPerRow; ++remainder)
                work.push_back({begin, end, remainder});
        }
    }
    return work;
}

// The rows from `row` while below `last`, formatted one by one, kept from
// the earliest byte any engine still has to compare on.
class FormattedRows {
  public:
    FormattedRows(std::uint64_t row, std::uint64_t last) : next_row_(row), last_(last) {}

    // The stream's bytes [at, at + size), as far as they exist.
    const char* bytes(std::uint64_t at, std::size_t size) {
        while (end() < at + size && next_row_ < last_) format_more();
        return text_.data() + (at - begin_);
    }
    std::uint64_t end() const { return begin_ + text_.size(); }
    std::uint64_t end_when_done() {
        while (next_row_ < last_) format_more();
        return end();
    }

    void drop_before(std::uint64_t at) {
        const std::size_t unused = at - begin_;
        if (unused < text_.size() / 2) return;
        text_.erase(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(unused));
        begin_ = at;
    }

  private:
    void format_more() {
        constexpr std::size_t kRowsAtATime = 256;
        const std::size_t old_size = text_.size();
        text_.resize(old_size + kRowsAtATime * kMaxRowBytes);
        char* out = text_.data() + old_size;
        for (std::size_t i = 0; i < kRowsAtATime && next_row_ < last_; ++i) {
            out = format_row(out, next_row_);
            next_row_ += kCellsPerRow;
        }
        text_.resize(static_cast<std::size_t>(out - text_.data()));
    }

    std::uint64_t next_row_;
    std::uint64_t last_;
    std::uint64_t begin_ = 0;  // the stream offset of text_[0]
    std::vector<char> text_;
};

// One run of the engine, as the tool would make it for this First and Last.
struct Engine {
    Engine(std::uint64_t first, std::uint64_t last, std::uint64_t at)
        : rows(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last)),
          first(first),
          at(at) {}

    TableRows rows;
    std::uint64_t first;
    std::uint64_t at;  // where its next bytes stand in the formatted stream
    bool filled_once = false;
};

std::atomic<bool> found_difference{false};
std::atomic<std::uint64_t> bytes_compared{0};
std::mutex report_lock;

std::string visible(const char* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\r')
            text += "\\r";
        else if (bytes[i] == '\n')
            text += "\\n";
        else
            text += bytes[i];
    }
    return text;
}

// Finds the row of the stream from `row` that holds byte `at` and prints it
// beside what the engine made there.
void report_difference(const Engine& engine, std::uint64_t last, std::uint64_t stream_row,
                       std::uint64_t at, const char* made, std::uint64_t made_at,
                       std::size_t made_size) {
    char row_text[kMaxRowBytes];
    std::uint64_t row_at = 0;
    std::uint64_t row = stream_row;
    std::size_t row_size = 0;
    for (;; row += kCellsPerRow, row_at += row_size) {
        row_size = static_cast<std::size_t>(format_row(row_text, row) - row_text);
        if (row_at + row_size > at) break;
    }
    const std::size_t shown = std::min<std::uint64_t>(row_size, made_at + made_size - row_at);
    const std::lock_guard<std::mutex> lock(report_lock);
    std::printf(
        "DIFFERENCE for First %llu, Last %llu (blocks start at %llu modulo 100): row %llu\n"
        "  rows made: %s\n  formatted: %s\n",
        static_cast<unsigned long long>(engine.first), static_cast<unsigned long long>(last),
        static_cast<unsigned long long>(engine.first % kAlignments),
        static_cast<unsigned long long>(row), visible(made + (row_at - made_at), shown).c_str(),
        visible(row_text, row_size).c_str());
    found_difference = true;
}

void report_failure(const Engine& engine, std::uint64_t last, const char* what) {
    const std::lock_guard<std::mutex> lock(report_lock);
    std::printf("DIFFERENCE for First %llu, Last %llu: %s\n",
                static_cast<unsigned long long>(engine.first),
                static_cast<unsigned long long>(last), what);
    found_difference = true;
}

// Runs the engines of one piece of work in step against one stream of
// formatted rows. Returns false at the first difference.
bool check(const Work& work, const Options& options, std::vector<char>& room) {
    const std::uint64_t last = std::min(work.end + kOverlap, kLargestLast);
    const std::uint64_t stream_row = first_at_or_above(work.begin, kCellsPerRow, work.remainder);
    if (stream_row >= last) return true;
    FormattedRows formatted(stream_row, last);

    // Each alignment's First is one of the stream's first five rows.
    std::vector<Engine> engines;
    for (std::uint64_t alignment = work.remainder; alignment < kAlignments;
         alignment += kCellsPerRow) {
        if (options.alignment >= 0 && alignment != static_cast<std::uint64_t>(options.alignment))
            continue;
        const std::uint64_t first = first_at_or_above(work.begin, kAlignments, alignment);
        if (first >= last) continue;
        std::uint64_t at = 0;
        for (std::uint64_t row = stream_row; row < first; row += kCellsPerRow)
            at += static_cast<std::uint64_t>(format_row(room.data(), row) - room.data());
        engines.emplace_back(first, last, at);
    }
    if (engines.empty()) return true;

    for (bool busy = true; busy && !found_difference;) {
        busy = false;
        std::uint64_t earliest = UINT64_MAX;
        for (Engine& engine : engines) {
            earliest = std::min(earliest, engine.at);
            if (engine.rows.done()) continue;
            busy = true;
            // The tool's first buffer holds the prologue before the rows.
            const std::size_t size =
                engine.filled_once ? kPageBufferBytes : kPageBufferBytes - kPagePrologue.size();
            engine.filled_once = true;
            const std::size_t made = engine.rows.fill(room.data(), size);
            if (made == 0) {
                report_failure(engine, last, "the engine made nothing in a whole buffer");
                return false;
            }
            const char* expected = formatted.bytes(engine.at, made);
            if (formatted.end() < engine.at + made) {
                report_failure(engine, last, "the engine made more rows than the range holds");
                return false;
            }
            if (std::memcmp(room.data(), expected, made) != 0) {
                const auto parted = std::mismatch(room.data(), room.data() + made, expected);
                report_difference(
                    engine, last, stream_row,
                    engine.at + static_cast<std::uint64_t>(parted.first - room.data()), room.data(),
                    engine.at, made);
                return false;
            }
            engine.at += made;
            bytes_compared += made;
        }
        formatted.drop_before(earliest);
    }
    if (found_difference) return false;  // another worker found one
    for (const Engine& engine : engines) {
        if (engine.at != formatted.end_when_done()) {
            report_failure(engine, last, "the engine stopped before the last row");
            return false;
        }
    }
    return true;
}

bool parse_number(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0') return false;
    value = parsed;
    return true;
}

bool parse_options(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        std::uint64_t value = 0;
        if (i + 1 >= argc || !parse_number(argv[i + 1], value)) return false;
        if (name == "--from")
            options.from = value;
        else if (name == "--below")
            options.below = std::min(value, kLargestLast);
        else if (name == "--alignment" && value < kAlignments)
            options.alignment = static_cast<int>(value);
        else if (name == "--threads" && value > 0)
            options.threads = static_cast<unsigned>(value);
        else
            return false;
    }
    return options.from < options.below;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: row_check [--from N] [--below N] [--alignment 0-99] [--threads T]\n");
        return 2;
    }
    const std::vector<Work> work = cut_into_work(options);
    const auto started = std::chrono::steady_clock::now();
    std::printf("row starts %llu up to %llu, %s, %u threads\n",
                static_cast<unsigned long long>(options.from),
                static_cast<unsigned long long>(options.below),
                options.alignment < 0
                    ? "every block start modulo 100"
                    : ("blocks from " + std::to_string(options.alignment) + " modulo 100").c_str(),
                options.threads);
    std::fflush(stdout);

    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < options.threads; ++t) {
        workers.emplace_back([&] {
            std::vector<char> room(kPageBufferBytes);
            for (std::size_t i = next++; i < work.size() && !found_difference; i = next++)
                if (!check(work[i], options, room)) return;
        });
    }
    for (std::thread& worker : workers) worker.join();

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %llu bytes of rows compared in %.0f s\n",
                found_difference ? "FAILED" : "no difference",
                static_cast<unsigned long long>(bytes_compared.load()), seconds);
    return found_difference ? 1 : 0;
}
