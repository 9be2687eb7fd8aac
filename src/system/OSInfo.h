// Which Windows the program runs on: version numbers, service pack, product type and family.
#pragma once

#include <cstdint>
#include <string>

// Finds out everything once, when created; read-only afterwards.
class OSInfo {
  public:
    // `servicePackAbbreviation` is placed before the service pack number in SupportInformation2
    // ("SP" in the fix tool; the main program's language text "0314").
    explicit OSInfo(std::string servicePackAbbreviation = "SP");

    std::int32_t Platform() const { return osId; }            // 0 to 13, index of Name
    std::string Name() const;                                 // e.g. "Windows XP"
    std::string VersionString() const { return versionText; } // e.g. 5.1.2600 Service Pack 2
    std::int32_t MajorVersion() const { return major; }
    std::int32_t MinorVersion() const { return minor; }
    std::int32_t BuildNumber() const { return build; } // low 16 bits only
    std::int32_t ServicePackMajor() const { return servicePackMajor; }
    std::int32_t ServicePackMinor() const { return servicePackMinor; }
    std::int32_t Family() const { return family; } // 0 other, 1 NT 3.x/4.0, 2 2000, 3 XP, 4 2003
    std::int32_t ProductType() const { return productType; } // 1 workstation, 2 DC, 3 server, 0 n/a
    // "(" + service pack text + ")", or "" without one.
    std::string SupportInformation() const;
    // "(" + abbreviation + service pack major + ")" when there is one, else "".
    std::string SupportInformation2() const;
    // The running system's fields compared with the given ones by `comparisonType` (1 equal,
    // 2 greater, 3 greater or equal, 4 less, 5 less or equal); negative numbers are left out.
    bool CompareVersion(std::int32_t nMajorVersion, std::int32_t nMinorVersion = -1,
                        std::int32_t nBuildNumber = -1, std::int32_t nServicePackMajor = -1,
                        std::int32_t nServicePackMinor = -1, std::int32_t ComparisonType = 3,
                        bool bUseVerifyVersionInfo = true) const;
    bool Is98() const { return osId == 3 || osId == 4; }
    bool IsNT() const { return osId >= 6 && osId <= 10; }
    bool Is2000() const { return osId == 10; }
    bool IsXP() const { return osId == 11; }
    bool Is2003() const { return osId == 12; }
    bool IsVerifySupported() const { return verifySupported; }

  private:
    std::string abbreviation;
    std::int32_t osId = 0;
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t build = 0;
    std::int32_t servicePackMajor = 0;
    std::int32_t servicePackMinor = 0;
    std::string servicePackText;
    std::string versionText;
    bool verifySupported = false;
    std::int32_t family = 0;
    std::uint16_t suiteMask = 0;
    std::int32_t productType = 0;
};
