// A scratch simulated machine for the fuzz harnesses, removed when the process ends.
#include "FuzzMachine.h"

#include "platform/sim/SimMachine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {

namespace {

std::string folder;

void removeMachine() {
    sim::selectMachine("");
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

} // namespace

void useMachine() {
    if (!folder.empty()) {
        return;
    }
    char pattern[] = "/tmp/tvx-fuzz.XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::abort();
    }
    folder = pattern;
    std::string problem;
    if (!sim::createMachine(folder + "/m", "xp-sp2", problem)) {
        std::fprintf(stderr, "cannot create the machine: %s\n", problem.c_str());
        std::abort();
    }
    sim::selectMachine(folder + "/m");
    std::atexit(removeMachine);
}

std::string textOf(const unsigned char* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzz
