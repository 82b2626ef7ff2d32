#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the tool writes to standard output, written out here byte for byte
// rather than taken from the tool's own sources.
inline const std::string kExpectedUsage =
    "usage: html_tavu First Last\r\n"
    "  Generate Entity list of HTML, from First to Last\r\n"
    "  Output File is \"tavu.html\"\r\n"
    "    First = unsigned long\r\n"
    "    Last = unsigned long\r\n";
// "The file cannot be opened", Shift_JIS, no line end.
inline const std::string kExpectedNotCreated =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC5\x82\xAB"
    "\x82\xDC\x82\xB9\x82\xF1";
// "The file cannot be written", Shift_JIS, no line end.
inline const std::string kExpectedNotWritten =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9"
    "\x82\xF1";

// A fresh empty folder that becomes the current working directory for the
// lifetime of the object; the previous one is restored and the folder
// removed afterwards.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

std::string read_file(const std::string& name);
void write_file(const std::string& name, const std::string& bytes);

// What a finished run of the tool left: how it ended and what it wrote to
// standard output.
struct ToolRun {
    bool exited = false;  // false when it ended by a signal
    int status = -1;      // exit status, or the signal number
    std::string output;
};

// Where the tool's standard output goes.
enum class Output {
    captured,     // a file, read back into ToolRun::output
    closed,       // no standard output at all
    full,         // /dev/full: every write fails
    broken_pipe,  // a pipe with no reader
};

// Starts the built tool in `dir` with the given arguments (argv[0] is the
// tool's path) and returns its process id. A `max_file_bytes` other than 0
// limits the size of any file it writes (RLIMIT_FSIZE); `environment` holds
// "NAME=value" entries added to the tool's environment.
int start_tool(const std::string& dir, const std::vector<std::string>& args,
               Output output = Output::captured, std::uint64_t max_file_bytes = 0,
               const std::vector<std::string>& environment = {});

// Waits for a tool started in `dir` and collects what it left.
ToolRun finish_tool(int pid, const std::string& dir);

ToolRun run_tool(const std::string& dir, const std::vector<std::string>& args,
                 Output output = Output::captured, std::uint64_t max_file_bytes = 0,
                 const std::vector<std::string>& environment = {});

// Runs the tool as run_tool does, but when the tests run as root (who may
// write anywhere) as the user nobody, from a copy of the tool put into
// `copy_dir`: the build folder need not be open to nobody, so `copy_dir` and
// the folders above it must be.
ToolRun run_tool_without_privileges(const std::string& dir, const std::vector<std::string>& args,
                                    const std::string& copy_dir);

// The page the tool is expected to write, built cell by cell with ordinary
// string formatting. Independent of the tool's own formatting code.
std::string expected_page(std::uint64_t first, std::uint64_t last);
