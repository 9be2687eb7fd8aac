// System facts: folders, version records, display adapter, single instance, clock, private
// profiles.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>

namespace platform {

// True when Windows itself is 64-bit: this program is a 32-bit one running under WOW64 (looked up
// at run time, old Windows has no such test), or a 64-bit one.
bool windows64Bit();

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

// A version to compare the system's with; a field left at -1 is not compared.
struct VersionCheck {
    std::int32_t major = -1;
    std::int32_t minor = -1;
    std::int32_t build = -1;
    std::int32_t servicePackMajor = -1;
    std::int32_t servicePackMinor = -1;
};

// How the system's version is compared with a VersionCheck (VER_EQUAL to VER_LESS_EQUAL).
enum class VersionCompare : std::uint8_t {
    Equal = 1,
    Greater = 2,
    GreaterOrEqual = 3,
    Less = 4,
    LessOrEqual = 5,
};

// True when the system's version compares with `check` as `compare` says, as VerifyVersionInfoA
// decides: the build on its own, major, minor and the service pack numbers as one version, a
// later field counting only where the earlier ones are equal. False where the system has no such
// test (Windows 9x, NT 4.0 before service pack 6).
bool versionSatisfies(const VersionCheck& check, VersionCompare compare);

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

// The longest value readProfileString gives: the profile reader's 255-character buffer less its
// terminating NUL.
constexpr std::size_t kProfileValueLimit = 254;

// The value of `key` in `section` (names without regard to case) of the profile file `path`, as
// the system's profile reader gives it: blanks around it and one pair of quotes removed, cut to
// kProfileValueLimit characters; `defaultValue` (less its trailing blanks and one pair of quotes)
// when the file, the section or the key is missing.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// Writes `value` for `key` in `section` of the profile file `path`, creating file, section or key
// as needed and replacing the value where it stands; false when the file cannot be written.
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// ShellExecuteA "open" of `target` (a document, folder or URL such as a mailto: link).
Error shellOpen(const std::string& target);

} // namespace platform
