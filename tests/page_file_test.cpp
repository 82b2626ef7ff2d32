// The page writer against a page file that fails on cue: whichever write
// fails, it stops there, always closes the file once, keeps a prefix of the
// page, and reports the failure; a failed close is reported too.
#include "page_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "page_text.h"
#include "test_support.h"

// Names the outcome in a failure message rather than its bytes.
void PrintTo(PageOutcome outcome, std::ostream* os) {
    switch (outcome) {
        case PageOutcome::written:
            *os << "written";
            return;
        case PageOutcome::not_created:
            *os << "not_created";
            return;
        case PageOutcome::not_completely_written:
            *os << "not_completely_written";
            return;
    }
}

namespace {

// Keeps what reaches it, and fails the write numbered `failing_write`
// (counted from 1; 0 means none fails) or the close when asked.
class FailingPageFile final : public PageFile {
  public:
    FailingPageFile(int failing_write, bool failing_close)
        : failing_write_(failing_write), failing_close_(failing_close) {}

    bool write(const char* bytes, std::size_t size) override {
        ++writes;
        last_write_size = size;
        if (writes == failing_write_) return false;
        // After a failure nothing more should come; keeping it would only
        // hide how much did.
        if (failing_write_ == 0 || writes < failing_write_) kept.append(bytes, size);
        return true;
    }

    bool close() override {
        ++closes;
        return !failing_close_;
    }

    int writes = 0;
    int closes = 0;
    std::size_t last_write_size = 0;
    std::string kept;

  private:
    int failing_write_;
    bool failing_close_;
};

struct Page {
    const char* name;
    std::uint32_t first;
    std::uint32_t last;
    // The rows end so near the end of a buffer that the epilogue does not
    // fit beside them and goes out in a write of its own.
    bool epilogue_alone;
};

void PrintTo(const Page& page, std::ostream* os) { *os << page.name; }

class PageFileFailures : public testing::TestWithParam<Page> {};

TEST_P(PageFileFailures, EveryWriteAndTheCloseFailingInTurn) {
    const Page page = GetParam();
    const std::string expected = expected_page(page.first, page.last);

    FailingPageFile clean(0, false);
    ASSERT_EQ(write_page_to(clean, page.first, page.last), PageOutcome::written);
    ASSERT_TRUE(clean.kept == expected) << "the page differs from the reference";
    EXPECT_EQ(clean.closes, 1);
    ASSERT_GE(clean.writes, 2) << "a page of one write shows little";
    EXPECT_EQ(clean.last_write_size == kPageEpilogue.size(), page.epilogue_alone)
        << "the page no longer has the shape the case is named for";

    for (const bool failing_close : {false, true}) {
        for (int failing_write = 0; failing_write <= clean.writes; ++failing_write) {
            if (failing_write == 0 && !failing_close) continue;  // the clean run above
            SCOPED_TRACE("write " + std::to_string(failing_write) + " of " +
                         std::to_string(clean.writes) + " failing" +
                         (failing_close ? ", and the close" : ""));
            FailingPageFile file(failing_write, failing_close);
            EXPECT_EQ(write_page_to(file, page.first, page.last),
                      PageOutcome::not_completely_written);
            EXPECT_EQ(file.closes, 1);
            // A writer that goes on after a failed write makes more attempts.
            EXPECT_EQ(file.writes, failing_write == 0 ? clean.writes : failing_write);
            EXPECT_TRUE(expected.compare(0, file.kept.size(), file.kept) == 0) << "not a prefix";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, PageFileFailures,
                         testing::Values(Page{"several buffers", 0, 200000, false},
                                         // Found by trying pages that cross into ten digits: the
                                         // rows' last piece leaves less room than the epilogue's
                                         // 39 bytes.
                                         Page{"epilogue in a write of its own", 999988969,
                                              1000000120, true}),
                         [](const testing::TestParamInfo<Page>& info) {
                             return info.param.epilogue_alone ? "EpilogueAlone" : "SeveralBuffers";
                         });

}  // namespace
