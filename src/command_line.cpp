#include "command_line.h"

#include <csignal>
#include <string_view>

#include "bound.h"
#include "page_writer.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr std::string_view kUsageText =
    "usage: html_tavu First Last\r\n"
    "  Generate Entity list of HTML, from First to Last\r\n"
    "  Output File is \"tavu.html\"\r\n"
    "    First = unsigned long\r\n"
    "    Last = unsigned long\r\n";

// "The file cannot be opened", in Shift_JIS, with no line end.
constexpr std::string_view kNotCreatedMessage =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC5\x82\xAB"
    "\x82\xDC\x82\xB9\x82\xF1";

// "The file cannot be written", in Shift_JIS, with no line end.
constexpr std::string_view kNotWrittenMessage =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9"
    "\x82\xF1";

// A message that cannot be shown (standard output closed or full) changes
// nothing: the exit status already tells the outcome.
int report(std::FILE* messages, std::string_view text, ExitStatus status) {
    static_cast<void>(std::fwrite(text.data(), 1, text.size(), messages));
    static_cast<void>(std::fflush(messages));
    return static_cast<int>(status);
}

}  // namespace

int run(int argc, const char* const argv[], std::FILE* messages) {
    // argc can be 0 when the tool is started with an empty argument vector.
    if (argc < 3) return report(messages, kUsageText, ExitStatus::usage);

    switch (write_page(to_bound(argv[1]), to_bound(argv[2]))) {
        case PageOutcome::written:
            return static_cast<int>(ExitStatus::success);
        case PageOutcome::not_created:
            return report(messages, kNotCreatedMessage, ExitStatus::not_created);
        case PageOutcome::not_completely_written:
            return report(messages, kNotWrittenMessage, ExitStatus::not_written);
    }
    return static_cast<int>(ExitStatus::not_written);
}

void prepare_output() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
#ifdef SIGPIPE
    static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
#endif
#ifdef SIGXFSZ
    static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));
#endif
}
