#include "command_line.h"

int main(int argc, char* argv[]) {
    use_binary_stdout();
    return run(argc, argv, stdout);
}
