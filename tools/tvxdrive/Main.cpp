// tvxdrive SCRIPT: runs Tarvex's real windows headless from a script of user actions.
#include "main/TarvexWindows.h"
#include "platform/Files.h"
#include "ui/headless/Driver.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tvxdrive SCRIPT   (SCRIPT \"-\" reads standard input)\n";
        return 2;
    }
    const std::string path = argv[1];
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
    const bool ok = ui::headless::runScript(text.str(), RunTarvex, std::cout);
    return ok ? 0 : 1;
}
