// Test machine on the sim backend: one fresh xp-sp2 machine in a temporary host folder per run.
#include "support/TestMachine.h"

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/sim/SimMachine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace testsupport {

namespace {

const char kScratchRoot[] = "C:\\TvxTest";
const char kScratchKey[] = "Software\\TvxTest";

std::string machineFolder;
int scratchCount = 0;

std::string binaryFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0);
    }
    return self.parent_path().string();
}

// Removes `subKey` of `parent` with everything below it.
void removeKeyTree(platform::RegKey parent, const std::string& subKey) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(parent, subKey, platform::RegAccess::AllAccess, key) ==
        platform::kOk) {
        std::string name;
        while (platform::regEnumKey(key, 0, name) == platform::kOk) {
            removeKeyTree(key, name);
            if (platform::regDeleteKey(key, name) != platform::kOk) {
                break;
            }
        }
        platform::regCloseKey(key);
    }
    platform::regDeleteKey(parent, subKey);
}

} // namespace

void initialise(const char* argv0) {
    char pattern[] = "/tmp/tvx-machine.XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::fprintf(stderr, "cannot make a temporary folder for the test machine\n");
        std::exit(1);
    }
    machineFolder = pattern;
    std::string problem;
    if (!sim::createMachine(machineFolder, "xp-sp2", problem)) {
        std::fprintf(stderr, "cannot create the test machine: %s\n", problem.c_str());
        std::exit(1);
    }
    sim::selectMachine(machineFolder);
    sim::registerPrograms(binaryFolder(argv0));
    sim::plantFolder(kScratchRoot, 0);
}

void shutdown() {
    sim::selectMachine("");
    std::error_code error;
    std::filesystem::remove_all(machineFolder, error);
}

ScratchArea::ScratchArea() {
    const std::string name = std::to_string(++scratchCount);
    folder = std::string(kScratchRoot) + "\\" + name;
    sim::plantFolder(folder, 0);
    regKey = std::string(kScratchKey) + "\\" + name;
    removeKeyTree(platform::kHkeyCurrentUser, regKey);
    platform::RegKey key = 0;
    if (platform::regCreateKey(platform::kHkeyCurrentUser, regKey, key) == platform::kOk) {
        platform::regCloseKey(key);
    }
}

ScratchArea::~ScratchArea() {
    // Straight on the host: whatever a test left (attributes, marks) must not stop the clean-up.
    const std::string host =
        sim::machineFolder() + "/drives/C/TvxTest/" + folder.substr(folder.find_last_of('\\') + 1);
    std::error_code error;
    std::filesystem::remove_all(host, error);
    removeKeyTree(platform::kHkeyCurrentUser, regKey);
}

HoldOpen::HoldOpen(const std::string& path) : path(path) {
    std::uint32_t attributes = 0;
    // Only an existing file can be held open, as on Windows.
    if (platform::getAttributes(path, attributes) == platform::kOk &&
        (attributes & platform::kAttrDirectory) == 0 && sim::markInUse(path, true)) {
        handle = 1;
    }
}

HoldOpen::~HoldOpen() {
    if (held()) {
        sim::markInUse(path, false);
    }
}

std::string childCommand() {
    return "\"tvxchild\"";
}

bool onSimulatedMachine() {
    return true;
}

} // namespace testsupport
