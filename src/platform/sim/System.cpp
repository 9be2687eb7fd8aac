// System facts of the simulated machine, read from its machine.ini.
#include "platform/System.h"

#include "platform/Files.h"
#include "platform/sim/Machine.h"
#include "winrules/VersionCompare.h"
#include "winrules/WinText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

std::string machineValue(const char* section, const char* key, const char* fallback = "") {
    return sim::Machine::current().setting(section, key, fallback);
}

std::uint32_t machineNumber(const char* key, std::uint32_t fallback = 0) {
    const std::string text = machineValue("Version", key);
    return text.empty() ? fallback
                        : static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 0));
}

bool yes(const std::string& text) {
    return winrules::equalNoCase(text, "Yes") || text == "1" || winrules::equalNoCase(text, "True");
}

// The folder without a trailing backslash unless it is a drive root.
std::string bareFolder(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

bool windows64Bit() {
    return yes(machineValue("Machine", "Wow64"));
}

std::string programFolder() {
    return bareFolder(machineValue("Machine", "ProgramDir", "C:\\"));
}

std::string windowsDirectory() {
    return bareFolder(machineValue("Machine", "WindowsDir", "C:\\WINDOWS"));
}

std::string systemDirectory() {
    return bareFolder(machineValue("Machine", "SystemDir", "C:\\WINDOWS\\system32"));
}

std::string tempPath() {
    std::string folder = machineValue("Machine", "TempDir", "C:\\WINDOWS\\TEMP\\");
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

bool getVersionInfo(bool extended, VersionInfo& info) {
    if (extended && !yes(machineValue("Version", "Extended", "Yes"))) {
        return false;
    }
    info = VersionInfo{};
    info.major = machineNumber("Major");
    info.minor = machineNumber("Minor");
    info.build = machineNumber("Build");
    info.platformId = machineNumber("PlatformId", 2);
    info.csdVersion = machineValue("Version", "CSDVersion");
    if (extended) {
        info.servicePackMajor = static_cast<std::uint16_t>(machineNumber("SPMajor"));
        info.servicePackMinor = static_cast<std::uint16_t>(machineNumber("SPMinor"));
        info.suiteMask = static_cast<std::uint16_t>(machineNumber("SuiteMask"));
        info.productType = static_cast<std::uint8_t>(machineNumber("ProductType"));
    }
    return true;
}

bool versionSatisfies(const VersionCheck& check, VersionCompare compare) {
    VersionInfo system;
    if (!getVersionInfo(true, system)) {
        return false;
    }
    const int comparison = static_cast<int>(compare);
    if (check.build >= 0 &&
        !winrules::compareVersionNumbers(system.build, check.build, comparison)) {
        return false;
    }
    // Major, minor and the service pack numbers form one version compared field after field.
    return winrules::compareVersionFields({{system.major, check.major},
                                           {system.minor, check.minor},
                                           {system.servicePackMajor, check.servicePackMajor},
                                           {system.servicePackMinor, check.servicePackMinor}},
                                          comparison);
}

bool displayDeviceString(std::uint32_t index, std::string& description) {
    const std::string key = "Device" + std::to_string(index);
    const std::string value = machineValue("Display", key.c_str(), "\x01");
    if (value == "\x01") {
        return false;
    }
    description = value;
    return true;
}

bool anotherInstanceRunning(const std::string& instanceName) {
    sim::Machine& machine = sim::Machine::current();
    if (yes(machine.setting("Simulation", "OtherInstance"))) {
        return true;
    }
    // A lock file per name in the machine folder, held for the life of the process.
    static std::map<std::string, int> claimed;
    std::string name = winrules::upper(instanceName);
    if (claimed.count(name) != 0 || !machine.present()) {
        return false;
    }
    std::string fileName;
    for (char c : name) {
        fileName += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    }
    const std::string lockPath = machine.folder() + "/instance-" + fileName + ".lock";
    const int fd = open(lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return true;
    }
    claimed[name] = fd;
    return false;
}

LocalTime localTime() {
    LocalTime time;
    const std::string fixed = machineValue("Clock", "Now");
    if (std::sscanf(fixed.c_str(), "%d-%d-%d %d:%d:%d", &time.year, &time.month, &time.day,
                    &time.hour, &time.minute, &time.second) == 6) {
        return time;
    }
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    return time;
}

Error shellOpen(const std::string& target) {
    sim::Machine& machine = sim::Machine::current();
    if (!machine.present()) {
        return kErrorFileNotFound;
    }
    // The request is only recorded: the simulated machine has no programs to hand it to.
    FILE* log = std::fopen((machine.folder() + "/shell.log").c_str(), "ab");
    if (log == nullptr) {
        return kErrorAccessDenied;
    }
    std::fprintf(log, "open %s\n", target.c_str());
    std::fclose(log);
    return kOk;
}

} // namespace platform
