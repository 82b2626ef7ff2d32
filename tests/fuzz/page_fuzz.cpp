// Structural fuzzing of the page writer: First and Last come from the input
// (kept a few hundred rows apart at most), the page is written to a file in
// a scratch folder and read back, and its structure is checked piece by
// piece. Any departure aborts.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "page_text.h"
#include "page_writer.h"

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "page check failed: %s\n", what);
        std::abort();
    }
}

// Walks through the page, checking each piece in turn.
class Reader {
  public:
    explicit Reader(std::string text) : text_(std::move(text)) {}

    bool at(const char* literal) const {
        return text_.compare(pos_, std::strlen(literal), literal) == 0;
    }

    void expect(const char* literal, const char* what) {
        require(at(literal), what);
        pos_ += std::strlen(literal);
    }

    void expect_number(std::uint64_t value, const char* what) {
        const std::string digits = std::to_string(value);
        require(text_.compare(pos_, digits.size(), digits) == 0, what);
        pos_ += digits.size();
        require(pos_ < text_.size() && (text_[pos_] < '0' || text_[pos_] > '9'), what);
    }

    void expect_text(std::string_view text, const char* what) {
        require(text_.compare(pos_, text.size(), text) == 0, what);
        pos_ += text.size();
    }

    bool at_end() const { return pos_ == text_.size(); }

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

std::string read_page() {
    std::ifstream in(kPageFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

char scratch[] = "/tmp/tavu-page-fuzz-XXXXXX";

void remove_scratch() {
    std::remove(kPageFileName);
    rmdir(scratch);
}

}  // namespace

// The page goes to tavu.html in the current folder, so the fuzzer works in a
// scratch folder of its own, removed when the run ends.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (mkdtemp(scratch) == nullptr || chdir(scratch) != 0) std::abort();
    std::atexit(remove_scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    std::uint32_t first = 0;
    std::int16_t span = 0;
    std::memcpy(&first, data, sizeof first);
    std::memcpy(&span, data + sizeof first, sizeof span);
    // Last lies within about 200 rows of First, either way, and inside the
    // 32-bit range, so every page stays small.
    const std::int64_t near = std::int64_t{first} + span / 8;
    const auto last = static_cast<std::uint32_t>(std::clamp<std::int64_t>(near, 0, 4294967295));

    require(write_page(first, last) == PageOutcome::written, "page written");
    Reader page(read_page());
    page.expect_text(kPagePrologue, "prologue");
    std::uint64_t rows = 0;
    for (std::uint64_t start = first; start < last; start += 20, ++rows) {
        page.expect("<TR ALIGN=\"right\"><TD>", "row start");
        page.expect_number(start, "row label");
        page.expect("</TD>", "row label end");
        int breaks = 0;
        for (std::uint64_t value = start; value < start + 20; ++value) {
            page.expect("<TD>&#", "cell start");
            page.expect_number(value, "cell value");
            page.expect(";</TD>", "cell end");
            if (page.at("\r\n    ")) {
                require(value % 20 == 9, "break after the value with remainder 9");
                page.expect("\r\n    ", "break");
                ++breaks;
            }
        }
        require(breaks == 1, "one break per row");
        page.expect("</TR>\r\n", "row end");
    }
    const std::uint64_t expected_rows = first < last ? (std::uint64_t{last} - first + 19) / 20 : 0;
    require(rows == expected_rows, "row count");
    page.expect_text(kPageEpilogue, "epilogue");
    require(page.at_end(), "nothing after the epilogue");
    return 0;
}
