#include "command_line.h"

#ifdef __MINGW32__
// The MinGW-w64 runtime can expand wildcards in the arguments before main
// (when its toolchain was configured to); the tool takes "*" as it comes.
extern "C" {
int _dowildcard = 0;  // NOLINT: the runtime's own name
}
#endif

int main(int argc, char* argv[]) {
    prepare_output();
    return run(argc, argv, stdout);
}
