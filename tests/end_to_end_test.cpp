// Runs of the built executable in a fresh folder: what reaches standard
// output, the exit status and the page file, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

class EndToEnd : public testing::Test {
  protected:
    ToolRun run(const std::vector<std::string>& args) { return run_tool(dir_.path(), args); }
    std::string page() { return read_file(dir_.path() + "/tavu.html"); }
    std::string in_dir(const std::string& name) { return dir_.path() + "/" + name; }

    ScratchDir dir_;
};

TEST_F(EndToEnd, TooFewArgumentsLeaveAnOldPageAlone) {
    const std::string old_page = "an earlier page\n";
    write_file(in_dir("tavu.html"), old_page);
    for (const auto& args : {std::vector<std::string>{}, {"0"}}) {
        const ToolRun result = run(args);
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.output, kExpectedUsage);
        EXPECT_EQ(result.output.size(), 164U);
        EXPECT_EQ(page(), old_page);
    }
}

TEST_F(EndToEnd, WritesTheWorkedExample) {
    const ToolRun result = run({"0", "20"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(page(), expected_page(0, 20));
    EXPECT_EQ(page().size(), 652U);
}

TEST_F(EndToEnd, ExtraArgumentsAreIgnored) {
    ASSERT_EQ(run({"5", "30"}).status, 0);
    const std::string two = page();
    const ToolRun result = run({"5", "30", "7", "--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(page(), two);
    EXPECT_EQ(page().size(), 979U);
}

TEST_F(EndToEnd, NegativeFirstHasNoRows) {
    const ToolRun result = run({"-5", "100"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(page(), expected_page(4294967291U, 100));
    EXPECT_EQ(page().size(), 341U);
}

TEST_F(EndToEnd, ReplacesALargerPageEntirely) {
    write_file(in_dir("tavu.html"), std::string(1 << 20, '#'));
    EXPECT_EQ(run({"10", "11"}).status, 0);
    EXPECT_EQ(page(), expected_page(10, 11));
    EXPECT_EQ(page().size(), 663U);
}

TEST_F(EndToEnd, TopOfTheRange) {
    const ToolRun result = run({"4294967290", "4294967295"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(page(), expected_page(4294967290U, 4294967295U));
}

TEST_F(EndToEnd, FolderInTheWay) {
    fs::create_directory(in_dir("tavu.html"));
    const ToolRun result = run({"0", "20"});
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 50);
    EXPECT_EQ(result.output, kExpectedNotCreated);
    EXPECT_EQ(result.output.size(), 28U);
}

TEST_F(EndToEnd, LinkIntoAMissingFolder) {
    fs::create_symlink(in_dir("missing/tavu.html"), in_dir("tavu.html"));
    const ToolRun result = run({"0", "20"});
    EXPECT_EQ(result.status, 50);
    EXPECT_EQ(result.output, kExpectedNotCreated);
}

// A full disk gives status 51 and its message, not a success. (That the
// writer stops at the first failed write is tested in-process.)
TEST_F(EndToEnd, FullDiskIsReported) {
    fs::create_symlink("/dev/full", in_dir("tavu.html"));
    const ToolRun result = run({"0", "20"});
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 51);
    EXPECT_EQ(result.output, kExpectedNotWritten);
    EXPECT_EQ(result.output.size(), 24U);
}

}  // namespace
