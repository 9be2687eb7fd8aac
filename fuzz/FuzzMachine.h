// A simulated machine for the fuzz harnesses, made once per process in the folder that
// TVX_FUZZ_MACHINE names (scripts/fuzz.sh gives one in the build), else in a temporary folder.
#pragma once

#include "platform/Files.h"
#include "platform/sim/SimMachine.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzsupport {

// The folder on the machine the harnesses work in (C:\Fuzz), emptied before each input.
inline const std::string& workFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/tvx-fuzz.XXXXXX";
        const char* given = std::getenv("TVX_FUZZ_MACHINE");
        const char* machine = given != nullptr ? given : mkdtemp(pattern);
        std::string problem;
        if (machine == nullptr || !sim::createMachine(machine, "xp-sp2", problem)) {
            std::fprintf(stderr, "no machine for fuzzing: %s\n", problem.c_str());
            std::abort();
        }
        sim::selectMachine(machine);
        return std::string("C:\\Fuzz");
    }();
    platform::deleteTree(folder);
    platform::createFolder(folder);
    return folder;
}

} // namespace fuzzsupport
