// The rows come from text blocks whose stems are stepped in place; these
// cases compare them with plain formatting where that is most likely to go
// wrong: where numbers gain a digit, where stems carry, past 4294967295, and
// for row starts of every remainder modulo 20.
#include "table_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "page_text.h"
#include "test_support.h"

namespace {

// The whole page as TableRows makes it, taken `capacity` bytes at a time.
std::string page_from_rows(std::uint32_t first, std::uint32_t last, std::size_t capacity) {
    TableRows rows(first, last);
    std::string page(kPagePrologue);
    std::vector<char> buffer(capacity);
    while (!rows.done()) {
        const std::size_t written = rows.fill(buffer.data(), buffer.size());
        if (written == 0) {
            ADD_FAILURE() << "no progress with capacity " << capacity;
            break;
        }
        page.append(buffer.data(), written);
    }
    page.append(kPageEpilogue);
    return page;
}

// Reports where two pages part, rather than printing megabytes of both.
void expect_same_bytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return;
    const auto parted =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const auto at = static_cast<std::size_t>(parted.first - actual.begin());
    const std::size_t from = at < 60 ? 0 : at - 60;
    ADD_FAILURE() << "pages part at byte " << at << " of " << actual.size() << " (expected "
                  << expected.size() << ")\n  actual:   " << actual.substr(from, 120)
                  << "\n  expected: " << expected.substr(from, 120);
}

void expect_same_as_plain(std::uint64_t first, std::uint64_t last) {
    SCOPED_TRACE("First " + std::to_string(first) + ", Last " + std::to_string(last));
    const std::string expected = expected_page(first, last);
    const auto f = static_cast<std::uint32_t>(first);
    const auto l = static_cast<std::uint32_t>(last);
    // The smallest capacity takes one block or row at a time.
    expect_same_bytes(page_from_rows(f, l, TableRows::kLargestPiece), expected);
    expect_same_bytes(page_from_rows(f, l, 1 << 16), expected);
}

TEST(TableRows, DigitCountBoundariesForEveryRemainder) {
    const std::vector<std::uint64_t> boundaries = {10,         100,         1000,       10000,
                                                   100000,     1000000,     10000000,   100000000,
                                                   1000000000, 2147483648U, 4294967296U};
    for (const std::uint64_t boundary : boundaries) {
        for (std::uint64_t remainder = 0; remainder < 20; ++remainder) {
            const std::uint64_t below = boundary < 400 ? 0 : boundary - 400;
            const std::uint64_t first = below - below % 20 + remainder;
            const std::uint64_t last = std::min<std::uint64_t>(first + 700, 4294967295U);
            expect_same_as_plain(first, last);
        }
    }
}

// Stems that carry over one, two and three places (1099 to 1100 ...).
TEST(TableRows, CarriesInTheUpperDigits) {
    for (const std::uint64_t first : {10900ULL, 109900ULL, 1099900ULL, 3999999000ULL})
        for (const std::uint64_t shift : {0ULL, 7ULL, 50ULL, 93ULL})
            expect_same_as_plain(first + shift, first + 5000);
}

// Blocks whose numbers all share one stem: 800 to 899 steps to 900 to 999,
// whose stems would need another digit if stepped once more.
TEST(TableRows, BlocksAtMultiplesOfAHundred) {
    for (const std::uint64_t first : {100ULL, 800ULL, 9800ULL, 999999800ULL})
        expect_same_as_plain(first, first + 400);
}

TEST(TableRows, TheTopOfTheRange) {
    for (std::uint64_t first = 4294967295U - 450; first < 4294967296U; first += 37)
        expect_same_as_plain(first, 4294967295U);
}

TEST(TableRows, RowsCountedFromTheLast) {
    // Ranges whose last rows end just before, at and after a five-row block.
    for (std::uint64_t last = 1000; last < 1250; ++last) expect_same_as_plain(1000, last);
}

TEST(TableRows, ALongRun) { expect_same_as_plain(0, 250000); }

}  // namespace
