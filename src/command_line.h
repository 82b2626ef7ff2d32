#pragma once

#include <cstdio>

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitUsage = 1,
    kExitNotCreated = 50,
    kExitNotWritten = 51,
};

// Runs the tool for one argument vector: the usage text when First or Last
// is missing, else the page. Messages go to `messages` (standard output for
// the real tool). Returns the exit status.
int run(int argc, const char* const argv[], std::FILE* messages);

// Makes standard output a binary stream where the platform distinguishes
// one, so the CR LF line ends of the messages reach it unchanged.
void use_binary_stdout();
