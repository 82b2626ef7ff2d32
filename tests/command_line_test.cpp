#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "page_writer.h"
#include "test_support.h"

namespace {

// Runs the tool in-process and returns its status and messages.
std::pair<int, std::string> run_with(std::vector<const char*> args) {
    std::FILE* messages = std::tmpfile();
    if (messages == nullptr) throw std::runtime_error("tmpfile failed");
    const int status = run(static_cast<int>(args.size()), args.data(), messages);
    std::string text(static_cast<std::size_t>(std::ftell(messages)), '\0');
    std::rewind(messages);
    const std::size_t got = std::fread(text.data(), 1, text.size(), messages);
    std::fclose(messages);
    text.resize(got);
    return {status, text};
}

// argc 0 is possible through execve with an empty argument vector.
TEST(CommandLine, TooFewArgumentsGiveTheUsageText) {
    ScratchDir dir;
    for (std::vector<const char*> args :
         {std::vector<const char*>{}, {"html_tavu"}, {"html_tavu", "5"}}) {
        const auto [status, text] = run_with(args);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(text, kExpectedUsage);
    }
    EXPECT_FALSE(std::filesystem::exists(kPageFileName));
}

TEST(CommandLine, WritesThePageAndSaysNothing) {
    ScratchDir dir;
    const auto [status, text] = run_with({"html_tavu", " +5", "30abc", "ignored"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(read_file(kPageFileName), expected_page(5, 30));
}

TEST(CommandLine, PageNotCreated) {
    ScratchDir dir;
    std::filesystem::create_directory(kPageFileName);
    const auto [status, text] = run_with({"html_tavu", "0", "20"});
    EXPECT_EQ(status, 50);
    EXPECT_EQ(text, kExpectedNotCreated);
}

TEST(CommandLine, PageNotCompletelyWritten) {
    ScratchDir dir;
    std::filesystem::create_symlink("/dev/full", kPageFileName);
    const auto [status, text] = run_with({"html_tavu", "0", "20"});
    EXPECT_EQ(status, 51);
    EXPECT_EQ(text, kExpectedNotWritten);
}

}  // namespace
