// tvxdrive [--program tarvex|quellix] SCRIPT: runs a program's real windows headless from a script
// of user actions (Tarvex unless another program is named).
#include "fixtool/QuellixWindows.h"
#include "main/TarvexWindows.h"
#include "platform/Files.h"
#include "ui/headless/Driver.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

int usage() {
    std::cerr << "usage: tvxdrive [--program tarvex|quellix] SCRIPT   (SCRIPT \"-\" reads "
                 "standard input)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string program = "tarvex";
    int next = 1;
    if (argc == 4 && std::string(argv[1]) == "--program") {
        program = argv[2];
        next = 3;
    }
    if (argc != next + 1 || (program != "tarvex" && program != "quellix")) {
        return usage();
    }
    const std::string path = argv[next];
    std::ostringstream text;
    if (path == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(path, std::ios::binary);
        std::string onMachine;
        if (file) {
            text << file.rdbuf();
        } else if (platform::readFile(path, onMachine) == platform::kOk) {
            // A script kept on the machine itself (a Windows path on the simulated machine).
            text << onMachine;
        } else {
            std::cerr << "tvxdrive: cannot read " << path << "\n";
            return 2;
        }
    }
    const bool ok = ui::headless::runScript(
        text.str(), program == "quellix" ? RunQuellix : RunTarvex, std::cout);
    return ok ? 0 : 1;
}
