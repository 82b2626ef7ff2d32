#pragma once

#include <cstdio>

enum class ExitStatus : int {
    success = 0,
    usage = 1,         // First or Last is missing
    not_created = 50,  // tavu.html could not be created
    not_written = 51,  // writing or closing tavu.html failed
};

// Runs the tool for one argument vector: the usage text when First or Last
// is missing, else the page. Messages go to `messages` (standard output for
// the real tool). Returns the exit status.
int run(int argc, const char* const argv[], std::FILE* messages);

// Readies the process's output for a run: standard output becomes a binary
// stream where the platform has text streams, so the CR LF line ends of the
// messages reach it unchanged; and a reader that went away (a closed pipe) or
// a file size limit makes a write fail rather than killing the tool, so the
// exit status and message still tell what happened.
void prepare_output();
