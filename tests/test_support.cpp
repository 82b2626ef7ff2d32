#include "test_support.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// No test writes a file anywhere near this size. A build whose row loop
// fails to stop, in-process or in a run of the tool (which inherits the
// limit), then gets failing writes and fails its tests instead of filling
// the disk.
constexpr rlim_t kMaxTestFileBytes = rlim_t{256} << 20;

class FileSizeCap : public testing::Environment {
  public:
    void SetUp() override {
        // Past the cap a write fails rather than the process being killed.
        static_cast<void>(signal(SIGXFSZ, SIG_IGN));
        const rlimit cap{kMaxTestFileBytes, kMaxTestFileBytes};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0) throw std::runtime_error("setrlimit failed");
    }
};

[[maybe_unused]] testing::Environment* const kFileSizeCap =
    testing::AddGlobalTestEnvironment(new FileSizeCap);

}  // namespace

ScratchDir::ScratchDir() : previous_(fs::current_path().string()) {
    std::string pattern = (fs::temp_directory_path() / "tavu-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    // A test may have left a folder without write permission behind.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + name);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + name);
}

namespace {

std::string capture_path(const std::string& dir) { return dir + "/.stdout"; }

// In the child: points standard output where the test wants it. Returns
// false if that could not be done.
bool redirect_output(Output output, const std::string& dir, int pipe_writer) {
    switch (output) {
        case Output::captured: {
            const int fd = open(capture_path(dir).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            return fd >= 0 && dup2(fd, STDOUT_FILENO) >= 0 && close(fd) == 0;
        }
        case Output::closed:
            return close(STDOUT_FILENO) == 0;
        case Output::full: {
            const int fd = open("/dev/full", O_WRONLY);
            return fd >= 0 && dup2(fd, STDOUT_FILENO) >= 0 && close(fd) == 0;
        }
        case Output::broken_pipe:
            return dup2(pipe_writer, STDOUT_FILENO) >= 0 && close(pipe_writer) == 0;
    }
    return false;
}

// The user that root becomes for a run without privileges.
constexpr uid_t kNobody = 65534;

// In the child: adds "NAME=value" entries to the environment.
bool add_environment(const std::vector<std::string>& environment) {
    for (const std::string& entry : environment) {
        const auto equals = entry.find('=');
        if (equals == std::string::npos ||
            setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1) != 0)
            return false;
    }
    return true;
}

struct Process {
    std::string executable = TAVU_EXECUTABLE;
    bool without_privileges = false;
    std::vector<std::string> environment;
};

int start_process(const std::string& dir, const std::vector<std::string>& args, Output output,
                  std::uint64_t max_file_bytes, const Process& process) {
    const std::string& executable = process.executable;
    // The pipe's reading end is closed before the tool starts, so its first
    // write to standard output meets a pipe with no reader.
    int pipe_ends[2] = {-1, -1};
    if (output == Output::broken_pipe && (pipe(pipe_ends) != 0 || close(pipe_ends[0]) != 0))
        throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // The tool must make its own choices about these signals.
        static_cast<void>(signal(SIGXFSZ, SIG_DFL));
        static_cast<void>(signal(SIGPIPE, SIG_DFL));
        if (!redirect_output(output, dir, pipe_ends[1]) || chdir(dir.c_str()) != 0) _exit(127);
        const rlimit file_size{max_file_bytes, max_file_bytes};
        if (max_file_bytes != 0 && setrlimit(RLIMIT_FSIZE, &file_size) != 0) _exit(127);
        if (!add_environment(process.environment)) _exit(127);
        if (process.without_privileges &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(executable.c_str()));
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(executable.c_str(), argv.data());
        _exit(127);
    }
    if (pipe_ends[1] >= 0) close(pipe_ends[1]);
    return pid;
}

}  // namespace

int start_tool(const std::string& dir, const std::vector<std::string>& args, Output output,
               std::uint64_t max_file_bytes, const std::vector<std::string>& environment) {
    Process process;
    process.environment = environment;
    return start_process(dir, args, output, max_file_bytes, process);
}

ToolRun run_tool_without_privileges(const std::string& dir, const std::vector<std::string>& args,
                                    const std::string& copy_dir) {
    if (geteuid() != 0) return run_tool(dir, args);
    const std::string copy = copy_dir + "/html_tavu";
    fs::copy_file(TAVU_EXECUTABLE, copy, fs::copy_options::overwrite_existing);
    Process process;
    process.executable = copy;
    process.without_privileges = true;
    return finish_tool(start_process(dir, args, Output::captured, 0, process), dir);
}

ToolRun finish_tool(int pid, const std::string& dir) {
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid) throw std::runtime_error("waitpid failed");
    ToolRun result;
    result.exited = WIFEXITED(raw);
    result.status = result.exited ? WEXITSTATUS(raw) : WTERMSIG(raw);
    if (fs::exists(capture_path(dir))) {
        result.output = read_file(capture_path(dir));
        fs::remove(capture_path(dir));
    }
    return result;
}

ToolRun run_tool(const std::string& dir, const std::vector<std::string>& args, Output output,
                 std::uint64_t max_file_bytes, const std::vector<std::string>& environment) {
    return finish_tool(start_tool(dir, args, output, max_file_bytes, environment), dir);
}

std::string expected_page(std::uint64_t first, std::uint64_t last) {
    std::ostringstream page;
    page << "<HTML><BODY>\r\n<CENTER>\r\n<TABLE BORDER>\r\n<TR ALIGN=\"right\"><TD>\x81\x40</TD>";
    for (int column = 0; column < 20; ++column) {
        page << "<TD>" << (column < 10 ? "0" : "") << column << "</TD>";
        if (column == 9) page << "\r\n    ";
    }
    page << "</TR>\r\n";
    for (std::uint64_t row = first; row < last; row += 20) {
        page << "<TR ALIGN=\"right\"><TD>" << row << "</TD>";
        for (std::uint64_t value = row; value < row + 20; ++value) {
            page << "<TD>&#" << value << ";</TD>";
            if (value % 20 == 9) page << "\r\n    ";
        }
        page << "</TR>\r\n";
    }
    page << "\r\n</TABLE>\r\n</CENTER>\r\n</BODY></HTML>\r\n";
    return page.str();
}
