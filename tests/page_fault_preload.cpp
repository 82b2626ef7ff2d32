// Loaded into the built tool with LD_PRELOAD, this makes the page file fail
// the way real file systems do: a write that runs out of space or meets an
// I/O error, or a close that reports a deferred write error (as NFS does)
// after the file is really closed. It stands in for the stdio calls the
// tool makes on the page file, fwrite and fclose: glibc's stdio calls
// write(2) and close(2) from inside itself, where no preload reaches.
//
// TAVU_FAULT chooses the fault:
//   close               fclose closes the file, then fails with EIO
//   write:N:EIO         the Nth fwrite (from 1) writes nothing, fails with EIO
//   write:N:ENOSPC      the Nth fwrite writes half its bytes, fails with ENOSPC
// Only the page file is touched: a stream whose descriptor does not name a
// file called tavu.html passes through unchanged. If TAVU_FAULT_REPORT names
// a file, the counts of page-file calls that came through here are written
// to it at exit ("fwrite 17 fclose 1"), so a test can see that the library
// was really in the way.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using FwriteFn = std::size_t (*)(const void*, std::size_t, std::size_t, std::FILE*);
using FcloseFn = int (*)(std::FILE*);

template <typename Fn>
Fn next_definition(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

struct Fault {
    bool close = false;
    long write = 0;  // 0: no write fails
    int error = 0;
};

Fault fault_from_environment() {
    Fault fault;
    const char* text = std::getenv("TAVU_FAULT");
    if (text == nullptr) return fault;
    const std::string setting = text;
    if (setting == "close") {
        fault.close = true;
    } else if (setting.rfind("write:", 0) == 0) {
        char* rest = nullptr;
        fault.write = std::strtol(setting.c_str() + 6, &rest, 10);
        if (std::strcmp(rest, ":EIO") == 0) fault.error = EIO;
        if (std::strcmp(rest, ":ENOSPC") == 0) fault.error = ENOSPC;
    }
    if (!fault.close && (fault.write <= 0 || fault.error == 0)) {
        static_cast<void>(std::fprintf(stderr, "page_fault_preload: bad TAVU_FAULT '%s'\n", text));
        std::abort();
    }
    return fault;
}

const Fault kFault = fault_from_environment();
long page_writes = 0;
long page_closes = 0;

bool is_page_file(std::FILE* stream) {
    const int fd = fileno(stream);
    if (fd < 0) return false;
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    char target[4096];
    const ssize_t size = readlink(link.c_str(), target, sizeof target - 1);
    if (size < 0) return false;
    const std::string path(target, static_cast<std::size_t>(size));
    const std::string name = "/tavu.html";
    return path.size() >= name.size() &&
           path.compare(path.size() - name.size(), name.size(), name) == 0;
}

// Written with the system calls themselves, so the report neither goes
// through the functions above nor depends on stdio at exit.
struct Report {
    ~Report() {
        const char* path = std::getenv("TAVU_FAULT_REPORT");
        if (path == nullptr) return;
        const std::string text = "fwrite " + std::to_string(page_writes) + " fclose " +
                                 std::to_string(page_closes) + "\n";
        const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) return;
        // A short report shows as a mismatch in the test that reads it.
        const ssize_t written = ::write(fd, text.data(), text.size());
        static_cast<void>(written);
        static_cast<void>(::close(fd));
    }
} report;

}  // namespace

extern "C" std::size_t fwrite(const void* data, std::size_t size, std::size_t count,
                              std::FILE* stream) {
    static const auto real = next_definition<FwriteFn>("fwrite");
    if (!is_page_file(stream)) return real(data, size, count, stream);
    ++page_writes;
    if (page_writes != kFault.write || size == 0) return real(data, size, count, stream);
    // A full disk typically takes part of a write before it refuses the rest.
    const std::size_t taken = kFault.error == ENOSPC ? real(data, size, count / 2, stream) : 0;
    errno = kFault.error;
    return taken;
}

extern "C" int fclose(std::FILE* stream) {
    static const auto real = next_definition<FcloseFn>("fclose");
    if (!is_page_file(stream)) return real(stream);
    ++page_closes;
    const int closed = real(stream);
    if (!kFault.close || closed != 0) return closed;
    errno = EIO;
    return EOF;
}
