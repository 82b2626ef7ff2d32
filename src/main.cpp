#include "command_line.h"

int main(int argc, char* argv[]) {
    prepare_output();
    return run(argc, argv, stdout);
}
