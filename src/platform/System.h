// System facts: folders, version records, display adapter, single instance, clock, private
// profiles.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>

namespace platform {

// Folder of the running program, without a trailing backslash (a drive root keeps its backslash).
std::string programFolder();

// GetWindowsDirectoryA: the Windows folder, without a trailing backslash unless it is a root.
std::string windowsDirectory();

// GetSystemDirectoryA: the system folder, same rule.
std::string systemDirectory();

// GetTempPathA: the temporary folder, ending with a backslash.
std::string tempPath();

// The version record GetVersionExA fills (plain: size 148; extended: size 156).
struct VersionInfo {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build =
        0; // as the platform reports it; Windows 9x keeps the version in the high word
    std::uint32_t platformId = 0;       // 1 Windows 9x, 2 NT family
    std::string csdVersion;             // service pack text, up to its first NUL
    std::uint16_t servicePackMajor = 0; // extended record only
    std::uint16_t servicePackMinor = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

// GetVersionExA with the plain (extended = false) or extended record; false when refused
// (Windows 9x and NT before 4.0 SP6 refuse the extended one).
bool getVersionInfo(bool extended, VersionInfo& info);

// VerSetConditionMask: adds `condition` for the field bit `typeBit` to `mask`.
std::uint64_t verSetConditionMask(std::uint64_t mask, std::uint32_t typeBit,
                                  std::uint8_t condition);

// VerifyVersionInfoA against the extended record `wanted`; true when the system satisfies it.
bool verifyVersionInfo(const VersionInfo& wanted, std::uint32_t typeMask,
                       std::uint64_t conditionMask);

// EnumDisplayDevicesA(NULL, index): the device's description string; false when there is none.
bool displayDeviceString(std::uint32_t index, std::string& description);

// True when another instance of the program named `instanceName` is running; the first caller
// in a process claims the name for as long as the process lives.
bool anotherInstanceRunning(const std::string& instanceName);

// Local date and time.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local date and time now.
LocalTime localTime();

// GetPrivateProfileStringA: copies the value (or `defaultValue`) of `key` in `section` of the
// profile file `path` into `result`, at most size - 1 characters, and returns the count copied.
std::uint32_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::string& result,
                                      std::uint32_t size, const std::string& path);

// WritePrivateProfileStringA: creates file, section or key as needed and replaces the value.
bool writePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

// ShellExecuteA "open" of `target` (a document, folder or URL such as a mailto: link).
Error shellOpen(const std::string& target);

} // namespace platform
