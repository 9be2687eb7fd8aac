// Template machines on the simulated backend: a fresh machine in a temporary host folder.
#include "testkit/TemplateMachine.h"

#include "platform/sim/Machine.h"
#include "platform/sim/SimMachine.h"

#include <cstdlib>
#include <filesystem>

namespace testkit {

TemplateMachine::TemplateMachine(const std::string& name) {
    char pattern[] = "/tmp/tvx-template.XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        problem = "cannot make a temporary folder";
        return;
    }
    if (!sim::createMachine(pattern, name, problem)) {
        std::error_code error;
        std::filesystem::remove_all(pattern, error);
        return;
    }
    // The stand-ins (regedit above all) are the same programs whichever Windows runs them.
    const auto programs = sim::Machine::current().settings("Programs");
    previous = sim::machineFolder();
    folder = pattern;
    sim::selectMachine(folder);
    for (const auto& program : programs) {
        sim::registerProgram(program.first, program.second);
    }
}

TemplateMachine::~TemplateMachine() {
    if (!made()) {
        return;
    }
    sim::selectMachine(previous);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

} // namespace testkit
