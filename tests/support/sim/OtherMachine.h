// A second simulated machine for tests that must not disturb the shared test machine.
#pragma once

#include "platform/sim/SimMachine.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testsupport {

// A second machine in its own host folder, selected for as long as the object lives.
class OtherMachine {
  public:
    explicit OtherMachine(const char* templateName) {
        char pattern[] = "/tmp/tvx-other.XXXXXX";
        folder = mkdtemp(pattern);
        previous = sim::machineFolder();
        std::string problem;
        created = sim::createMachine(folder + "/m", templateName, problem);
        sim::selectMachine(folder + "/m");
    }
    ~OtherMachine() {
        sim::selectMachine(previous);
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    OtherMachine(const OtherMachine&) = delete;
    OtherMachine& operator=(const OtherMachine&) = delete;

    std::string folder;
    std::string previous;
    bool created = false;
};

} // namespace testsupport
