#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "page_writer.h"
#include "test_support.h"

namespace {

std::string page_for(std::uint32_t first, std::uint32_t last) {
    ScratchDir dir;
    EXPECT_EQ(write_page(first, last), PageOutcome::written);
    return read_file(kPageFileName);
}

TEST(Page, WorkedExampleByteForByte) {
    const std::string expected =
        "<HTML><BODY>\r\n"
        "<CENTER>\r\n"
        "<TABLE BORDER>\r\n"
        "<TR ALIGN=\"right\"><TD>\x81\x40</TD><TD>00</TD><TD>01</TD><TD>02</TD><TD>03</TD>"
        "<TD>04</TD><TD>05</TD><TD>06</TD><TD>07</TD><TD>08</TD><TD>09</TD>\r\n"
        "    <TD>10</TD><TD>11</TD><TD>12</TD><TD>13</TD><TD>14</TD><TD>15</TD><TD>16</TD>"
        "<TD>17</TD><TD>18</TD><TD>19</TD></TR>\r\n"
        "<TR ALIGN=\"right\"><TD>0</TD><TD>&#0;</TD><TD>&#1;</TD><TD>&#2;</TD><TD>&#3;</TD>"
        "<TD>&#4;</TD><TD>&#5;</TD><TD>&#6;</TD><TD>&#7;</TD><TD>&#8;</TD><TD>&#9;</TD>\r\n"
        "    <TD>&#10;</TD><TD>&#11;</TD><TD>&#12;</TD><TD>&#13;</TD><TD>&#14;</TD><TD>&#15;</TD>"
        "<TD>&#16;</TD><TD>&#17;</TD><TD>&#18;</TD><TD>&#19;</TD></TR>\r\n"
        "\r\n"
        "</TABLE>\r\n"
        "</CENTER>\r\n"
        "</BODY></HTML>\r\n";
    ASSERT_EQ(expected.size(), 652U);
    EXPECT_EQ(page_for(0, 20), expected);
}

struct Range {
    std::uint32_t first;
    std::uint32_t last;
    std::size_t bytes;
};

void PrintTo(const Range& r, std::ostream* os) { *os << r.first << " to " << r.last; }

class PageSize : public testing::TestWithParam<Range> {};

TEST_P(PageSize, MatchesTheReferencePage) {
    const std::string page = page_for(GetParam().first, GetParam().last);
    EXPECT_EQ(page.size(), GetParam().bytes);
    EXPECT_EQ(page, expected_page(GetParam().first, GetParam().last));
}

INSTANTIATE_TEST_SUITE_P(KnownSizes, PageSize,
                         testing::Values(Range{0, 0, 341}, Range{7, 3, 341},
                                         Range{4294967291U, 100, 341}, Range{0, 20, 652},
                                         Range{0, 1, 652}, Range{0, 21, 974}, Range{5, 30, 979},
                                         Range{10, 11, 663}));

// One data row as the page shows it: its label, its cell values in order, and
// how many cells stand before the mid-row break.
struct Row {
    std::string label;
    std::vector<std::string> values;
    std::size_t cells_before_break = 0;
    int breaks = 0;
};

std::vector<Row> data_rows(const std::string& page) {
    const std::string row_open = "<TR ALIGN=\"right\"><TD>";
    std::vector<Row> rows;
    // The first row element is the header.
    std::size_t at = page.find(row_open, page.find(row_open) + 1);
    while (at != std::string::npos) {
        const std::size_t end = page.find("</TR>\r\n", at);
        const std::string text = page.substr(at, end - at);
        Row row;
        std::size_t pos = row_open.size();
        row.label = text.substr(pos, text.find("</TD>", pos) - pos);
        for (pos = text.find("<TD>&#"); pos != std::string::npos; pos = text.find("<TD>&#", pos)) {
            pos += 6;
            row.values.push_back(text.substr(pos, text.find(";</TD>", pos) - pos));
        }
        for (pos = text.find("\r\n    "); pos != std::string::npos;
             pos = text.find("\r\n    ", pos + 1)) {
            ++row.breaks;
            row.cells_before_break = 0;
            for (std::size_t cell = text.find("<TD>&#"); cell < pos;
                 cell = text.find("<TD>&#", cell + 1))
                ++row.cells_before_break;
        }
        rows.push_back(row);
        at = page.find(row_open, end);
    }
    return rows;
}

// Row starts of every remainder modulo 20, small and large: the rows are
// labelled with their starts, hold twenty consecutive values each, and break
// once, right after the value that leaves the remainder 9.
TEST(PageRows, EveryRemainderModuloTwenty) {
    for (std::uint32_t base : {0U, 1000000000U, 4294967000U}) {
        for (std::uint32_t remainder = 0; remainder < 20; ++remainder) {
            const std::uint32_t first = base + remainder;
            const std::uint32_t last = first + 41;  // three rows
            SCOPED_TRACE("First " + std::to_string(first));
            const std::vector<Row> rows = data_rows(page_for(first, last));
            ASSERT_EQ(rows.size(), 3U);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const std::uint64_t start = std::uint64_t{first} + 20 * i;
                EXPECT_EQ(rows[i].label, std::to_string(start));
                ASSERT_EQ(rows[i].values.size(), 20U);
                for (std::size_t cell = 0; cell < 20; ++cell)
                    EXPECT_EQ(rows[i].values[cell], std::to_string(start + cell));
                EXPECT_EQ(rows[i].breaks, 1);
                EXPECT_EQ(rows[i].cells_before_break, (29 - remainder) % 20 + 1);
            }
        }
    }
}

// ceil((Last - First) / 20) rows when First is below Last, none otherwise.
TEST(PageRows, RowCountFollowsTheRange) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges = {
        {0, 1}, {0, 19}, {0, 20}, {0, 21}, {3, 103}, {3, 104}, {100, 99}, {100, 100}, {0, 401}};
    for (const auto& [first, last] : ranges) {
        const std::size_t expected = first < last ? (last - first + 19) / 20 : 0;
        EXPECT_EQ(data_rows(page_for(first, last)).size(), expected) << first << " " << last;
    }
}

// Beyond 2147483647 the values are still written as unsigned decimals, and a
// row near 4294967295 runs on past it without wrapping to 0.
TEST(PageRows, LargeRowStartsAreWrittenAsThemselves) {
    const std::vector<Row> top = data_rows(page_for(4294967290U, 4294967295U));
    ASSERT_EQ(top.size(), 1U);
    EXPECT_EQ(top[0].label, "4294967290");
    EXPECT_EQ(top[0].values.back(), "4294967309");

    const std::string middle = page_for(2147483620U, 2147483680U);
    EXPECT_EQ(middle, expected_page(2147483620U, 2147483680U));
    EXPECT_EQ(middle.find('-'), std::string::npos);
}

// Pairs around the places where 32-bit arithmetic would wrap or turn
// negative: each run ends, with ceil((Last - First) / 20) rows of unsigned
// values when First is below Last and none otherwise.
class NearTheTop : public testing::TestWithParam<std::pair<std::uint32_t, std::uint32_t>> {};

TEST_P(NearTheTop, EndsWithTheRightRows) {
    const auto [first, last] = GetParam();
    const std::string page = page_for(first, last);
    const std::size_t rows = first < last ? (std::uint64_t{last} - first + 19) / 20 : 0;
    EXPECT_EQ(data_rows(page).size(), rows);
    EXPECT_EQ(page, expected_page(first, last));
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs_around(std::uint32_t point) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (const std::int64_t first : {-45, -21, -20, -19, -1, 0, 1})
        for (const std::int64_t last : {-20, -1, 0, 1})
            if (point + first >= 0 && point + first <= 4294967295 && point + last <= 4294967295)
                pairs.emplace_back(static_cast<std::uint32_t>(point + first),
                                   static_cast<std::uint32_t>(point + last));
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(SignedLimit, NearTheTop, testing::ValuesIn(pairs_around(2147483627U)));
INSTANTIATE_TEST_SUITE_P(SignBit, NearTheTop, testing::ValuesIn(pairs_around(2147483648U)));
INSTANTIATE_TEST_SUITE_P(LastFullRow, NearTheTop, testing::ValuesIn(pairs_around(4294967275U)));
INSTANTIATE_TEST_SUITE_P(
    Top, NearTheTop,
    testing::Values(std::pair{4294967295U, 4294967295U}, std::pair{4294967294U, 4294967295U},
                    std::pair{4294967200U, 4294967295U}, std::pair{4294967295U, 0U},
                    std::pair{4294967295U, 4294967294U}, std::pair{4294967276U, 4294967295U}));

TEST(PageFile, ReplacesAnExistingLargerPage) {
    ScratchDir dir;
    write_file(kPageFileName, std::string(100000, 'x'));
    ASSERT_EQ(write_page(0, 20), PageOutcome::written);
    EXPECT_EQ(read_file(kPageFileName), expected_page(0, 20));
}

TEST(PageFile, AFolderInTheWayIsNotCreated) {
    ScratchDir dir;
    ASSERT_TRUE(std::filesystem::create_directory(kPageFileName));
    EXPECT_EQ(write_page(0, 20), PageOutcome::not_created);
}

TEST(PageFile, AFullDiskIsNotCompletelyWritten) {
    ScratchDir dir;
    std::filesystem::create_symlink("/dev/full", kPageFileName);
    EXPECT_EQ(write_page(0, 20), PageOutcome::not_completely_written);
}

// A page of several buffers' worth, so rows cross block boundaries.
TEST(PageFile, LargePageMatchesTheReference) {
    EXPECT_EQ(page_for(999000, 1001000 + 40000), expected_page(999000, 1001000 + 40000));
}

}  // namespace
