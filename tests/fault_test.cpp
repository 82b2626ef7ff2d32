// The built tool under failing conditions: what it says, how it ends, and
// what it leaves in tavu.html.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

class Faults : public testing::Test {
  protected:
    std::string in_dir(const std::string& name) const { return dir_.path() + "/" + name; }

    ScratchDir dir_;
};

TEST_F(Faults, FolderWithoutWritePermission) {
    const auto open_to_all = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
    const auto read_only = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir_.path(), open_to_all);
    fs::create_directory(in_dir("locked"));
    fs::permissions(in_dir("locked"), read_only);
    const ToolRun result = run_tool_without_privileges(in_dir("locked"), {"0", "20"}, dir_.path());
    EXPECT_EQ(result.status, 50);
    EXPECT_EQ(result.output, kExpectedNotCreated);
    EXPECT_FALSE(fs::exists(in_dir("locked/tavu.html")));
}

// The tool catches no interrupt: it ends by the signal, and what reached the
// file is the beginning of the page it was writing.
TEST_F(Faults, InterruptLeavesAPrefixOfThePage) {
    const int pid = start_tool(dir_.path(), {"0", "4294967295"});
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    // file_size reports a missing file as the largest size, not as 0.
    const auto written = [&] {
        std::error_code missing;
        const auto size = fs::file_size(in_dir("tavu.html"), missing);
        return missing ? 0 : size;
    };
    while (written() < (1U << 20) && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(kill(pid, SIGINT), 0);
    const ToolRun result = finish_tool(pid, dir_.path());
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.status, SIGINT);

    const std::string page = read_file(in_dir("tavu.html"));
    ASSERT_GE(page.size(), 1U << 20);
    // Every value takes more than 12 bytes, so this many values cover the file.
    const std::string expected = expected_page(0, page.size() / 12 + 20);
    ASSERT_LT(page.size(), expected.size());
    EXPECT_TRUE(page == expected.substr(0, page.size())) << "not a prefix of the page";
}

// A file size limit cuts the page part way through a write: the tool says
// so rather than being killed, and the file keeps the page's first bytes.
TEST_F(Faults, FileSizeLimitCutsThePage) {
    const std::uint64_t limit = 100000;
    const ToolRun result = run_tool(dir_.path(), {"0", "4294967295"}, Output::captured, limit);
    EXPECT_TRUE(result.exited) << "ended by signal " << result.status;
    EXPECT_EQ(result.status, 51);
    EXPECT_EQ(result.output, kExpectedNotWritten);
    EXPECT_EQ(read_file(in_dir("tavu.html")), expected_page(0, 20000).substr(0, limit));
}

// Standard output that is closed, full or a pipe nobody reads changes neither
// the exit status nor the page; the tool does not crash.
TEST_F(Faults, MessagesThatCannotBeShown) {
    fs::create_directory(in_dir("folder"));
    fs::create_directory(in_dir("folder/tavu.html"));
    fs::create_directory(in_dir("full"));
    fs::create_symlink("/dev/full", in_dir("full/tavu.html"));
    struct Case {
        std::string dir;
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {{dir_.path(), {"0"}, 1},
                                     {in_dir("folder"), {"0", "20"}, 50},
                                     {in_dir("full"), {"0", "4294967295"}, 51},
                                     {dir_.path(), {"0", "20"}, 0}};
    for (const Output output : {Output::closed, Output::full, Output::broken_pipe}) {
        for (const Case& c : cases) {
            SCOPED_TRACE("status " + std::to_string(c.status) + ", output " +
                         std::to_string(static_cast<int>(output)));
            const ToolRun result = run_tool(c.dir, c.args, output);
            EXPECT_TRUE(result.exited) << "ended by signal " << result.status;
            EXPECT_EQ(result.status, c.status);
        }
        EXPECT_EQ(read_file(in_dir("tavu.html")), expected_page(0, 20));
    }
}

TEST_F(Faults, MessageIsExactWhenTheFolderIsInTheWay) {
    fs::create_directory(in_dir("tavu.html"));
    const ToolRun result = run_tool(dir_.path(), {"-5", "4294967295"});
    EXPECT_EQ(result.status, 50);
    EXPECT_EQ(result.output, kExpectedNotCreated);
    EXPECT_TRUE(fs::is_directory(in_dir("tavu.html")));
}

}  // namespace
