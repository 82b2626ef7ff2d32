// The built tool with its page file failing as a real file system fails: a
// preload library (page_fault_preload.cpp) stands in for fwrite and fclose
// on tavu.html. The tool must end with 51 and its message, and the file must
// hold the beginning of the page.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define TAVU_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVU_UNDER_ASAN 1
#endif
#endif

// Why the library cannot be loaded into this build's tool, or nullptr.
const char* why_preload_cannot_work() {
#ifndef TAVU_FAULT_PRELOAD
    return "the fault library is built on Linux only";
#elif defined(TAVU_UNDER_ASAN)
    return "the tool is built with AddressSanitizer, whose runtime must be loaded before any "
           "other library: LD_PRELOAD cannot put the fault library in front of it";
#else
    return nullptr;
#endif
}

constexpr std::uint32_t kFirst = 0;
constexpr std::uint32_t kLast = 200000;
// The page's 3,943,675 bytes go out a 256 KiB buffer at a time.
constexpr int kPageWrites = 16;

class PreloadedFaults : public testing::Test {
  protected:
    void SetUp() override {
        if (const char* why = why_preload_cannot_work()) GTEST_SKIP() << why;
    }

    ToolRun run_with(const std::string& fault) {
        std::vector<std::string> environment = {"TAVU_FAULT_REPORT=" + report_path()};
#ifdef TAVU_FAULT_PRELOAD
        environment.push_back(std::string("LD_PRELOAD=") + TAVU_FAULT_PRELOAD);
#endif
        if (!fault.empty()) environment.push_back("TAVU_FAULT=" + fault);
        return run_tool(dir_.path(), {std::to_string(kFirst), std::to_string(kLast)},
                        Output::captured, 0, environment);
    }

    std::string report_path() const { return dir_.path() + "/report"; }
    std::string page() const { return read_file(dir_.path() + "/tavu.html"); }

    // The calls on the page file that went through the library, as it
    // counted them.
    std::string report() const {
        return fs::exists(report_path()) ? read_file(report_path()) : "(no report)";
    }

    ScratchDir dir_;
};

std::string calls(int writes, int closes) {
    return "fwrite " + std::to_string(writes) + " fclose " + std::to_string(closes) + "\n";
}

// Without a fault the page is exact, and the counts show every write and the
// close passed through the library: the faults below are really injected.
TEST_F(PreloadedFaults, PassesThroughWhenNothingFails) {
    const ToolRun result = run_with("");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "");
    EXPECT_TRUE(page() == expected_page(kFirst, kLast)) << "the page differs";
    EXPECT_EQ(report(), calls(kPageWrites, 1));
}

TEST_F(PreloadedFaults, EachFailureEndsWithStatus51AndAPrefix) {
    const std::string expected = expected_page(kFirst, kLast);
    struct Case {
        std::string fault;
        int writes;
        bool whole_page;  // the fault comes after every byte reached the file
    };
    const std::vector<Case> cases = {
        {"close", kPageWrites, true},
        {"write:1:EIO", 1, false},
        {"write:3:ENOSPC", 3, false},
        {"write:" + std::to_string(kPageWrites) + ":EIO", kPageWrites, false},  // the last
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const ToolRun result = run_with(c.fault);
        EXPECT_TRUE(result.exited) << "ended by signal " << result.status;
        EXPECT_EQ(result.status, 51);
        EXPECT_EQ(result.output, kExpectedNotWritten);
        EXPECT_EQ(report(), calls(c.writes, 1));
        const std::string kept = page();
        if (c.whole_page) {
            EXPECT_TRUE(kept == expected) << "the page differs";
        } else {
            EXPECT_LT(kept.size(), expected.size());
            EXPECT_TRUE(expected.compare(0, kept.size(), kept) == 0) << "not a prefix";
        }
    }
}

}  // namespace
