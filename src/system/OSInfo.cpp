// Operating-system detection from the platform's version records.
#include "system/OSInfo.h"

#include "platform/Registry.h"
#include "platform/System.h"
#include "winrules/VersionCompare.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<const char*, 14> kNames = {"Windows 3.x With Win32s",
                                                "Windows 95",
                                                "Windows 95 Release 2",
                                                "Windows 98",
                                                "Windows 98 Release 2",
                                                "Windows Millenium Edition",
                                                "Windows NT 3.0",
                                                "Windows NT 3.1",
                                                "Windows NT 3.5",
                                                "Windows NT 4.0",
                                                "Windows 2000",
                                                "Windows XP",
                                                "Windows 2003",
                                                "[Unknown]"};

constexpr std::uint32_t kPlatformNt = 2;

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// True when the NT 4.0 hotfix Q246009 (the "6a" update) recorded itself as installed.
bool hotfixInstalled() {
    platform::OpenKey key;
    std::uint32_t type = 0;
    std::string data;
    return key.open(platform::kHkeyLocalMachine,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                    platform::RegAccess::QueryValue) == platform::kOk &&
           platform::regQueryValue(key.get(), "Installed", type, data) == platform::kOk;
}

} // namespace

OSInfo::OSInfo(std::string servicePackAbbreviation)
    : abbreviation(std::move(servicePackAbbreviation)) {
    platform::VersionInfo plain;
    platform::getVersionInfo(false, plain);
    platform::VersionInfo extended;
    if (plain.platformId == kPlatformNt && plain.major >= 5 &&
        platform::getVersionInfo(true, extended)) {
        major = static_cast<std::int32_t>(extended.major);
        minor = static_cast<std::int32_t>(extended.minor);
        build = static_cast<std::int32_t>(extended.build);
        servicePackMajor = extended.servicePackMajor;
        servicePackMinor = extended.servicePackMinor;
        servicePackText = extended.csdVersion;
        suiteMask = extended.suiteMask;
        productType = extended.productType;
        verifySupported = true;
    } else {
        major = static_cast<std::int32_t>(plain.major);
        minor = static_cast<std::int32_t>(plain.minor);
        build = static_cast<std::int32_t>(plain.build);
        servicePackText = plain.csdVersion;
    }
    servicePackText = trimmed(servicePackText.substr(0, servicePackText.find('\0')));
    // Windows 9x keeps the version in the high word of the build number.
    build &= 0xFFFF;
    char buildText[8];
    std::snprintf(buildText, sizeof buildText, "%04d", build % 10000);
    versionText = std::to_string(major) + "." + std::to_string(minor) + "." + buildText;

    if (plain.platformId != kPlatformNt) {
        family = 0;
        if (major == 4 && minor == 0) {
            osId = build == 950 ? 1 : 2;
        } else if (major == 4 && minor == 10) {
            osId = build == 1998 ? 3 : 4;
        } else if (major == 4) {
            osId = 5;
        } else {
            osId = 0;
        }
        return;
    }
    if (major == 3) {
        osId = minor == 0 ? 6 : minor == 1 ? 7 : minor == 5 ? 8 : 13;
        family = 1;
    } else if (major == 4) {
        osId = 9;
        family = 1;
    } else if (major == 5) {
        osId = minor == 0 ? 10 : minor == 1 ? 11 : minor == 2 ? 12 : 13;
        family = minor == 0 ? 2 : minor == 2 ? 4 : 3;
    } else {
        osId = 13;
        family = 0;
    }
    if (major < 5) {
        for (int n = 1; n <= 6; ++n) {
            if (servicePackText.find("Service Pack " + std::to_string(n)) != std::string::npos) {
                servicePackMajor = n;
                break;
            }
        }
    }
    if (major == 4 && servicePackMajor == 6) {
        if (hotfixInstalled()) {
            versionText += " Service Pack 6a";
            servicePackMinor = 1;
        } else {
            versionText += " Service Pack 6";
        }
    } else if (servicePackMajor >= 1 || servicePackMinor >= 1) {
        versionText += " Service Pack " + std::to_string(servicePackMajor);
        if (servicePackMinor >= 1) {
            versionText += "." + std::to_string(servicePackMinor);
        }
    }
}

std::string OSInfo::Name() const {
    return osId >= 0 && osId < static_cast<std::int32_t>(kNames.size())
               ? kNames[static_cast<std::size_t>(osId)]
               : kNames.back();
}

std::string OSInfo::SupportInformation() const {
    return servicePackText.empty() ? std::string() : "(" + servicePackText + ")";
}

std::string OSInfo::SupportInformation2() const {
    return servicePackMajor >= 1 ? "(" + abbreviation + std::to_string(servicePackMajor) + ")"
                                 : std::string();
}

bool OSInfo::CompareVersion(std::int32_t nMajorVersion, std::int32_t nMinorVersion,
                            std::int32_t nBuildNumber, std::int32_t nServicePackMajor,
                            std::int32_t nServicePackMinor, std::int32_t ComparisonType,
                            bool bUseVerifyVersionInfo) const {
    if (verifySupported && bUseVerifyVersionInfo) {
        platform::VersionCheck check;
        check.major = nMajorVersion;
        check.minor = nMinorVersion;
        check.build = nBuildNumber;
        check.servicePackMajor = nServicePackMajor;
        check.servicePackMinor = nServicePackMinor;
        return platform::versionSatisfies(check,
                                          static_cast<platform::VersionCompare>(ComparisonType));
    }
    // Without the platform's test: the fields in order major, minor, build (and on NT-family
    // systems the service pack), each given field decided by the first one that differs.
    const bool withServicePack = IsNT() || IsXP();
    return winrules::compareVersionFields(
        {{major, nMajorVersion},
         {minor, nMinorVersion},
         {build, nBuildNumber},
         {withServicePack ? servicePackMajor : -1, withServicePack ? nServicePackMajor : -1},
         {withServicePack ? servicePackMinor : -1, withServicePack ? nServicePackMinor : -1}},
        ComparisonType);
}
