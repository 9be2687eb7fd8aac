// TarvexCmd.exe: the command-line cleaner's entry point, its words handed on as they came.
#include "command/TarvexCmd.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = RunTarvexCmd(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
