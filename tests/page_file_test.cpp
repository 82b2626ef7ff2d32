// The page writer against a page file that fails on cue: it stops at the
// first failed write, always closes the file, and reports a failed close.
#include "page_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "test_support.h"

namespace {

// Keeps what reaches it, and fails the write numbered `failing_write`
// (counted from 1; 0 means none fails) or the close when asked.
class FailingPageFile final : public PageFile {
  public:
    FailingPageFile(int failing_write, bool failing_close)
        : failing_write_(failing_write), failing_close_(failing_close) {}

    bool write(const char* bytes, std::size_t size) override {
        ++writes;
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
    std::string kept;

  private:
    int failing_write_;
    bool failing_close_;
};

struct Failure {
    int failing_write;
    bool failing_close;
    PageOutcome outcome;
};

void PrintTo(const Failure& f, std::ostream* os) {
    *os << "write " << f.failing_write << (f.failing_close ? " and close" : "") << " failing";
}

class PageFileFailures : public testing::TestWithParam<Failure> {};

// A page of a few buffers; a writer that goes on after a failed write makes
// more write attempts than the one that failed.
TEST_P(PageFileFailures, StopsAtTheFirstFailureAndCloses) {
    const std::uint32_t first = 0;
    const std::uint32_t last = 200000;  // about 4.4 MB, several buffers
    const Failure failure = GetParam();
    FailingPageFile file(failure.failing_write, failure.failing_close);
    EXPECT_EQ(write_page_to(file, first, last), failure.outcome);
    EXPECT_EQ(file.closes, 1);

    const std::string page = expected_page(first, last);
    if (failure.failing_write == 0) {
        EXPECT_TRUE(file.kept == page) << "the page differs from the reference";
    } else {
        EXPECT_EQ(file.writes, failure.failing_write);
        EXPECT_TRUE(page.compare(0, file.kept.size(), file.kept) == 0) << "not a prefix";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PageFileFailures,
                         testing::Values(Failure{0, false, PageOutcome::written},
                                         Failure{0, true, PageOutcome::not_completely_written},
                                         Failure{1, false, PageOutcome::not_completely_written},
                                         Failure{3, false, PageOutcome::not_completely_written},
                                         Failure{2, true, PageOutcome::not_completely_written}));

// The last write is the one that carries the epilogue.
TEST(PageFileFailures, FailingLastWriteIsReported) {
    FailingPageFile counting(0, false);
    ASSERT_EQ(write_page_to(counting, 0, 200000), PageOutcome::written);
    FailingPageFile file(counting.writes, false);
    EXPECT_EQ(write_page_to(file, 0, 200000), PageOutcome::not_completely_written);
}

}  // namespace
