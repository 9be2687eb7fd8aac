// System facts of the simulated machine, read from its machine.ini.
#include "platform/System.h"

#include "platform/Files.h"
#include "platform/sim/Machine.h"
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

// Condition codes and field bits of VerifyVersionInfo.
constexpr std::uint8_t kVerEqual = 1;
constexpr std::uint8_t kVerLessEqual = 5;
constexpr std::uint8_t kVerAnd = 6;
constexpr std::uint8_t kVerOr = 7;
constexpr std::uint32_t kVerMinor = 0x01;
constexpr std::uint32_t kVerMajor = 0x02;
constexpr std::uint32_t kVerBuild = 0x04;
constexpr std::uint32_t kVerPlatform = 0x08;
constexpr std::uint32_t kVerSpMinor = 0x10;
constexpr std::uint32_t kVerSpMajor = 0x20;
constexpr std::uint32_t kVerSuite = 0x40;
constexpr std::uint32_t kVerProduct = 0x80;

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

std::uint8_t conditionOf(std::uint64_t mask, int slot) {
    return static_cast<std::uint8_t>(mask >> (3 * slot) & 0x07);
}

// One comparison of the system's value with the wanted one; false also for a bad condition.
bool compareValues(std::uint32_t system, std::uint32_t wanted, std::uint8_t condition,
                   bool& valid) {
    switch (condition) {
    case 1:
        return system == wanted;
    case 2:
        return system > wanted;
    case 3:
        return system >= wanted;
    case 4:
        return system < wanted;
    case 5:
        return system <= wanted;
    default:
        valid = false;
        return false;
    }
}

} // namespace

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

std::uint64_t verSetConditionMask(std::uint64_t mask, std::uint32_t typeBit,
                                  std::uint8_t condition) {
    const std::uint64_t code = condition & 0x07;
    if (typeBit == 0 || code == 0) {
        return mask;
    }
    // One 3-bit slot per field; a mask naming several fields fills the first slot in this order.
    const std::pair<std::uint32_t, int> slots[] = {
        {kVerProduct, 7},  {kVerSuite, 6}, {kVerSpMajor, 5}, {kVerSpMinor, 4},
        {kVerPlatform, 3}, {kVerBuild, 2}, {kVerMajor, 1},   {kVerMinor, 0}};
    for (const auto& slot : slots) {
        if ((typeBit & slot.first) != 0) {
            return mask | code << (3 * slot.second);
        }
    }
    return mask;
}

bool verifyVersionInfo(const VersionInfo& wanted, std::uint32_t typeMask,
                       std::uint64_t conditionMask) {
    VersionInfo system;
    if (typeMask == 0 || conditionMask == 0 || !getVersionInfo(true, system)) {
        return false;
    }
    bool valid = true;
    if ((typeMask & kVerProduct) != 0 && !compareValues(system.productType, wanted.productType,
                                                        conditionOf(conditionMask, 7), valid)) {
        return false;
    }
    if ((typeMask & kVerSuite) != 0) {
        const std::uint8_t condition = conditionOf(conditionMask, 6);
        if (condition == kVerAnd) {
            if ((wanted.suiteMask & system.suiteMask) != wanted.suiteMask) {
                return false;
            }
        } else if (condition == kVerOr) {
            if (wanted.suiteMask != 0 && (wanted.suiteMask & system.suiteMask) == 0) {
                return false;
            }
        } else {
            return false;
        }
    }
    if ((typeMask & kVerPlatform) != 0 && !compareValues(system.platformId, wanted.platformId,
                                                         conditionOf(conditionMask, 3), valid)) {
        return false;
    }
    if ((typeMask & kVerBuild) != 0 &&
        !compareValues(system.build, wanted.build, conditionOf(conditionMask, 2), valid)) {
        return false;
    }
    // Major, minor and the service pack numbers form one version compared field after field with
    // the condition of the first field given: a later field only counts when the earlier are equal.
    const std::uint32_t versionBits = kVerMajor | kVerMinor | kVerSpMajor | kVerSpMinor;
    if ((typeMask & versionBits) == 0) {
        return valid;
    }
    std::uint8_t condition = 0;
    if ((typeMask & kVerMajor) != 0) {
        condition = conditionOf(conditionMask, 1);
    } else if ((typeMask & kVerMinor) != 0) {
        condition = conditionOf(conditionMask, 0);
    } else if ((typeMask & kVerSpMajor) != 0) {
        condition = conditionOf(conditionMask, 5);
    } else {
        condition = conditionOf(conditionMask, 4);
    }
    const std::pair<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> fields[] = {
        {kVerMajor, {system.major, wanted.major}},
        {kVerMinor, {system.minor, wanted.minor}},
        {kVerSpMajor, {system.servicePackMajor, wanted.servicePackMajor}},
        {kVerSpMinor, {system.servicePackMinor, wanted.servicePackMinor}}};
    bool result = true;
    bool checkNext = true;
    for (const auto& field : fields) {
        if ((typeMask & field.first) == 0 || !checkNext) {
            continue;
        }
        result = compareValues(field.second.first, field.second.second, condition, valid);
        checkNext = field.second.first == field.second.second && condition >= kVerEqual &&
                    condition <= kVerLessEqual;
    }
    return valid && result;
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
