// OS detection as a started program sees it, for every Windows version Wine can play, on both
// machines with the same answers.
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include <map>
#include <string>

using namespace platform;

namespace {

const char kHotfixParent[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix";
const char kHotfixKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

bool keyExists(const std::string& path) {
    RegKey key = 0;
    if (regOpenKey(kHkeyLocalMachine, path, RegAccess::Read, key) != kOk) {
        return false;
    }
    regCloseKey(key);
    return true;
}

// The NT 4.0 SP6a hotfix value present or absent for as long as the object lives; the keys and
// the value are as they were afterwards.
class HotfixValue {
  public:
    explicit HotfixValue(bool present)
        : parentExisted(keyExists(kHotfixParent)), keyExisted(keyExists(kHotfixKey)) {
        RegKey key = 0;
        if (regCreateKey(kHkeyLocalMachine, kHotfixKey, key) != kOk) {
            return;
        }
        valueExisted = regQueryValue(key, "Installed", oldType, oldData) == kOk;
        ready = present
                    ? regSetValue(key, "Installed", kRegDword, std::string("\1\0\0\0", 4)) == kOk
                    : !valueExisted || regDeleteValue(key, "Installed") == kOk;
        regCloseKey(key);
    }
    ~HotfixValue() {
        RegKey key = 0;
        if (regOpenKey(kHkeyLocalMachine, kHotfixKey, RegAccess::AllAccess, key) == kOk) {
            if (valueExisted) {
                regSetValue(key, "Installed", oldType, oldData);
            } else {
                regDeleteValue(key, "Installed");
            }
            regCloseKey(key);
        }
        if (!keyExisted) {
            regDeleteKey(kHkeyLocalMachine, kHotfixKey);
        }
        if (!parentExisted) {
            regDeleteKey(kHkeyLocalMachine, kHotfixParent);
        }
    }
    HotfixValue(const HotfixValue&) = delete;
    HotfixValue& operator=(const HotfixValue&) = delete;

    bool ready = false;

  private:
    bool parentExisted;
    bool keyExisted;
    bool valueExisted = false;
    std::uint32_t oldType = 0;
    std::string oldData;
};

// tvxosinfo's report ("Name=value" lines) as a map; empty when the program did not write it.
std::map<std::string, std::string> runOSInfo(const std::string& reportPath) {
    std::map<std::string, std::string> properties;
    std::uint32_t exitCode = 1;
    if (startAndWait(testsupport::toolCommand("tvxosinfo") + " \"" + reportPath + "\"", kShowHidden,
                     &exitCode) != kOk ||
        exitCode != 0) {
        return properties;
    }
    std::string report;
    readFile(reportPath, report);
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find("\r\n", start);
        if (end == std::string::npos) {
            end = report.size();
        }
        const std::string line = report.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            properties[line.substr(0, equals)] = line.substr(equals + 1);
        }
        start = end + 2;
    }
    return properties;
}

} // namespace

TEST_CASE("a started program identifies each Windows version with its numbers and texts") {
    enum Hotfix { Untouched, Present, Absent };
    struct Case {
        const char* wineName;
        Hotfix hotfix;
        const char* platform;
        const char* name;
        const char* versionString;
        const char* servicePackMajor;
        const char* servicePackMinor;
        const char* family;
        const char* productType;
        const char* supportInformation;
        const char* supportInformation2;
        const char* isNT;
        const char* verifySupported;
        const char* atLeastXP;
    };
    // Windows 9x and NT 4.0 are read from the plain record: no product type, no platform test.
    const Case cases[] = {
        {"win95", Untouched, "1", "Windows 95", "4.0.0950", "0", "0", "0", "0", "", "", "0", "0",
         "0"},
        {"win98", Untouched, "4", "Windows 98 Release 2", "4.10.2222", "0", "0", "0", "0", "(A)",
         "", "0", "0", "0"},
        {"winme", Untouched, "5", "Windows Millenium Edition", "4.90.3000", "0", "0", "0", "0", "",
         "", "0", "0", "0"},
        {"nt40", Present, "9", "Windows NT 4.0", "4.0.1381 Service Pack 6a", "6", "1", "1", "0",
         "(Service Pack 6a)", "(SP6)", "1", "0", "0"},
        {"nt40", Absent, "9", "Windows NT 4.0", "4.0.1381 Service Pack 6", "6", "0", "1", "0",
         "(Service Pack 6a)", "(SP6)", "1", "0", "0"},
        {"win2k", Untouched, "10", "Windows 2000", "5.0.2195 Service Pack 4", "4", "0", "2", "1",
         "(Service Pack 4)", "(SP4)", "1", "1", "0"},
        {"winxp", Untouched, "11", "Windows XP", "5.1.2600 Service Pack 3", "3", "0", "3", "1",
         "(Service Pack 3)", "(SP3)", "0", "1", "1"},
        {"win2003", Untouched, "12", "Windows 2003", "5.2.3790 Service Pack 2", "2", "0", "4", "3",
         "(Service Pack 2)", "(SP2)", "0", "1", "1"},
        {"vista", Untouched, "13", "[Unknown]", "6.0.6002 Service Pack 2", "2", "0", "0", "1",
         "(Service Pack 2)", "(SP2)", "0", "1", "1"},
    };
    testsupport::ScratchArea area;
    for (const Case& c : cases) {
        CAPTURE(c.wineName);
        CAPTURE(c.hotfix);
        testsupport::WindowsVersion version(c.wineName);
        if (!version.switched()) {
            MESSAGE("this machine cannot play other Windows versions; case skipped");
            continue;
        }
        const HotfixValue hotfix(c.hotfix == Present);
        REQUIRE((c.hotfix == Untouched || hotfix.ready));
        const std::string reportPath = area.folder + "\\" + c.wineName + ".txt";
        deleteFile(reportPath);
        auto report = runOSInfo(reportPath);
        REQUIRE(!report.empty());
        CHECK(report["Platform"] == c.platform);
        CHECK(report["Name"] == c.name);
        CHECK(report["VersionString"] == c.versionString);
        CHECK(report["ServicePackMajor"] == c.servicePackMajor);
        CHECK(report["ServicePackMinor"] == c.servicePackMinor);
        CHECK(report["Family"] == c.family);
        CHECK(report["ProductType"] == c.productType);
        CHECK(report["SupportInformation"] == c.supportInformation);
        CHECK(report["SupportInformation2"] == c.supportInformation2);
        CHECK(report["IsNT"] == c.isNT);
        CHECK(report["IsVerifySupported"] == c.verifySupported);
        CHECK(report["AtLeast5.1"] == c.atLeastXP);
    }
}

TEST_CASE("the version switch ends with its object: the next program sees the machine's own") {
    testsupport::ScratchArea area;
    const std::string reportPath = area.folder + "\\own.txt";
    const std::string own = runOSInfo(reportPath)["VersionString"];
    REQUIRE(!own.empty());
    {
        testsupport::WindowsVersion version("win98");
        if (version.switched()) {
            CHECK(runOSInfo(reportPath)["VersionString"] == "4.10.2222");
        }
    }
    CHECK(runOSInfo(reportPath)["VersionString"] == own);
}
