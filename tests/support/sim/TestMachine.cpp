// Test machine on the sim backend: one fresh xp-sp2 machine in a temporary host folder per run.
#include "support/TestMachine.h"

#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/sim/Machine.h"
#include "platform/sim/SimMachine.h"
#include "winrules/WinText.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace testsupport {

namespace {

const char kScratchRoot[] = "C:\\TvxTest";
const char kScratchKey[] = "Software\\TvxTest";

std::string machineFolder;
std::string toolFolder;
int scratchCount = 0;

// What GetVersionExA reports under Wine 8 for each of its version names (Wine also takes the
// extended record for the 9x names).
struct WineVersionRecord {
    const char* name;
    const char* major;
    const char* minor;
    const char* build;
    const char* platformId;
    const char* csdVersion;
    const char* spMajor;
    const char* productType;
    const char* suiteMask;
};

const WineVersionRecord kWineVersions[] = {
    {"win95", "4", "0", "0x040003B6", "1", "", "0", "0", "0"},
    {"win98", "4", "10", "0x040A08AE", "1", " A ", "0", "0", "0"},
    {"winme", "4", "90", "0x045A0BB8", "1", " ", "0", "0", "0"},
    {"nt40", "4", "0", "1381", "2", "Service Pack 6a", "6", "1", "0"},
    {"win2k", "5", "0", "2195", "2", "Service Pack 4", "4", "1", "0"},
    {"winxp", "5", "1", "2600", "2", "Service Pack 3", "3", "1", "0x100"},
    {"win2003", "5", "2", "3790", "2", "Service Pack 2", "2", "3", "0x100"},
    {"vista", "6", "0", "6002", "2", "Service Pack 2", "2", "1", "0x100"},
};

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
    toolFolder = binaryFolder(argv0);
    sim::registerPrograms(toolFolder);
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

ShellSkipsInUse::ShellSkipsInUse() {
    sim::setSetting("Simulation", "ShellSkipsInUse", "Yes");
}

ShellSkipsInUse::~ShellSkipsInUse() {
    sim::setSetting("Simulation", "ShellSkipsInUse", "No");
}

std::string childCommand() {
    return "\"tvxchild\"";
}

std::string toolCommand(const std::string& name) {
    sim::registerProgram(name, toolFolder + "/" + name);
    return "\"" + name + "\"";
}

WindowsVersion::WindowsVersion(const std::string& wineName) {
    const WineVersionRecord* record = nullptr;
    for (const WineVersionRecord& each : kWineVersions) {
        if (wineName == each.name) {
            record = &each;
        }
    }
    if (record == nullptr) {
        return;
    }
    const std::pair<const char*, const char*> values[] = {
        {"Major", record->major},
        {"Minor", record->minor},
        {"Build", record->build},
        {"PlatformId", record->platformId},
        {"CSDVersion", record->csdVersion},
        {"SPMajor", record->spMajor},
        {"SPMinor", "0"},
        {"ProductType", record->productType},
        {"SuiteMask", record->suiteMask},
        {"Extended", "Yes"},
    };
    sim::Machine& machine = sim::Machine::current();
    const auto before = machine.settings("Version");
    active = true;
    for (const auto& value : values) {
        Saved old;
        old.name = value.first;
        for (const auto& setting : before) {
            if (winrules::equalNoCase(setting.first, old.name)) {
                old.value = setting.second;
                old.existed = true;
            }
        }
        saved.push_back(old);
        active = machine.changeSetting("Version", value.first, value.second) && active;
    }
}

WindowsVersion::~WindowsVersion() {
    sim::Machine& machine = sim::Machine::current();
    for (const Saved& old : saved) {
        if (old.existed) {
            machine.changeSetting("Version", old.name, old.value);
        } else {
            machine.removeSetting("Version", old.name);
        }
    }
}

bool denyAccess(const std::string& path, bool denied) {
    return sim::markAccessDenied(path, denied);
}

bool onSimulatedMachine() {
    return true;
}

std::string shellRequests() {
    std::ifstream in(sim::machineFolder() + "/shell.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace testsupport
