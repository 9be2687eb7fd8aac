// System facts on both machines: private profiles, version records, folders, clock, instance.
#include "platform/System.h"
#include "platform/Files.h"
#include "support/TestMachine.h"

#include <doctest/doctest.h>

#include "Listing.h"

#include <cctype>
#include <string>

using namespace platform;
using platformtest::contents;

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

TEST_CASE("private profile reads: case, trimming, quotes, defaults and the size limit") {
    testsupport::ScratchArea area;
    const std::string path = area.folder + "\\settings.ini";
    const std::string longValue(300, 'v');
    REQUIRE(writeFile(path, "[PROGRAM]\r\n"
                            "Interface=Normal\r\n"
                            "  Spaced  =  padded value  \r\n"
                            "Empty=\r\n"
                            "Quoted=\"in quotes\"\r\n"
                            "Single='single'\r\n"
                            "Half=\"half\r\n"
                            "Long=" +
                                longValue +
                                "\r\n"
                                "lower=yes\r\n"
                                "[language]\r\n"
                                "CurrentLanguage=English\r\n") == kOk);
    struct Row {
        const char* section;
        const char* key;
        const char* defaultValue;
        std::string expected;
    };
    const Row rows[] = {
        {"PROGRAM", "Interface", "?", "Normal"},
        {"program", "INTERFACE", "?", "Normal"},
        {"Language", "currentlanguage", "?", "English"},
        {"PROGRAM", "Lower", "?", "yes"},
        {"PROGRAM", "spaced", "?", "padded value"},
        {"PROGRAM", "Empty", "?", ""},
        {"PROGRAM", "Quoted", "?", "in quotes"},
        {"PROGRAM", "Single", "?", "single"},
        {"PROGRAM", "Half", "?", "\"half"},
        {"PROGRAM", "Long", "?", std::string(254, 'v')},
        {"PROGRAM", "Missing", "?", "?"},
        {"PROGRAM", "Missing", "default  ", "default"},
        {"PROGRAM", "Missing", "  default", "  default"},
        {"Nowhere", "Interface", "?", "?"},
        {"Interface", "PROGRAM", "?", "?"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.section);
        CAPTURE(row.key);
        CAPTURE(row.defaultValue);
        CHECK(readProfileString(path, row.section, row.key, row.defaultValue) == row.expected);
    }
    CHECK(readProfileString(area.folder + "\\missing.ini", "PROGRAM", "Interface", "?") == "?");
}

TEST_CASE("private profile writes make file, section and key and replace values in place") {
    testsupport::ScratchArea area;
    const std::string path = area.folder + "\\new.ini";
    CHECK(writeProfileString(path, "S1", "K1", "v1"));
    CHECK(contents(path) == "[S1]\r\nK1=v1\r\n");
    CHECK(writeProfileString(path, "S1", "K2", "v2"));
    CHECK(writeProfileString(path, "S2", "K1", "v3"));
    CHECK(contents(path) == "[S1]\r\nK1=v1\r\nK2=v2\r\n[S2]\r\nK1=v3\r\n");

    // Another case finds the same section and key; the value changes where it stands.
    CHECK(writeProfileString(path, "s1", "k1", "replaced"));
    CHECK(upper(contents(path)) == "[S1]\r\nK1=REPLACED\r\nK2=V2\r\n[S2]\r\nK1=V3\r\n");
    CHECK(readProfileString(path, "S1", "K1", "?") == "replaced");
    CHECK(writeProfileString(path, "S2", "K1", ""));
    CHECK(readProfileString(path, "S2", "K1", "?") == "");

    CHECK_FALSE(writeProfileString(area.folder + "\\None\\x.ini", "S", "K", "v"));
}

TEST_CASE("the version records are plausible and agree with each other") {
    VersionInfo plain;
    REQUIRE(getVersionInfo(false, plain));
    CHECK(plain.platformId == 2);
    CHECK(plain.major == 5);
    CHECK(plain.minor == 1);
    CHECK(plain.build == 2600);
    CHECK(plain.csdVersion.rfind("Service Pack ", 0) == 0);
    // The plain record has no extended fields.
    CHECK(plain.servicePackMajor == 0);
    CHECK(plain.productType == 0);

    VersionInfo extended;
    REQUIRE(getVersionInfo(true, extended));
    CHECK(extended.major == plain.major);
    CHECK(extended.minor == plain.minor);
    CHECK(extended.build == plain.build);
    CHECK(extended.csdVersion == plain.csdVersion);
    CHECK(extended.productType == 1);
    CHECK(extended.servicePackMajor >= 1);
    CHECK(extended.csdVersion == "Service Pack " + std::to_string(extended.servicePackMajor));
}

TEST_CASE("version checks compare major and minor as one version") {
    constexpr VersionCompare kEqual = VersionCompare::Equal;
    constexpr VersionCompare kGreaterEqual = VersionCompare::GreaterOrEqual;
    constexpr VersionCompare kLess = VersionCompare::Less;
    struct Row {
        std::int32_t major;
        std::int32_t minor;
        VersionCompare condition;
        bool expected;
    };
    const Row rows[] = {
        {5, 1, kEqual, true},         {5, 0, kGreaterEqual, true},  {5, 1, kGreaterEqual, true},
        {5, 2, kGreaterEqual, false}, {6, 0, kGreaterEqual, false}, {6, 0, kLess, true},
        {5, 1, kLess, false},
    };
    for (const Row& row : rows) {
        CAPTURE(row.major);
        CAPTURE(row.minor);
        CAPTURE(static_cast<int>(row.condition));
        VersionCheck check;
        check.major = row.major;
        check.minor = row.minor;
        CHECK(versionSatisfies(check, row.condition) == row.expected);
    }
}

TEST_CASE("system folders: no trailing backslash, except the temporary folder's") {
    const std::string windows = windowsDirectory();
    const std::string system = systemDirectory();
    const std::string temp = tempPath();
    // The simulated machine says C:\WINDOWS where Wine says C:\windows.
    CHECK(upper(windows) == "C:\\WINDOWS");
    CHECK(upper(system) == "C:\\WINDOWS\\SYSTEM32");
    REQUIRE_FALSE(temp.empty());
    CHECK(temp.back() == '\\');
    CHECK(temp.size() > 3);
    CHECK(platformtest::exists(temp.substr(0, temp.size() - 1)));

    const std::string program = programFolder();
    REQUIRE_FALSE(program.empty());
    CHECK(program.back() != '\\');
    CHECK(platformtest::exists(program));
}

TEST_CASE("the local time is a plausible date") {
    const LocalTime now = localTime();
    CHECK(now.year >= 2000);
    CHECK(now.month >= 1);
    CHECK(now.month <= 12);
    CHECK(now.day >= 1);
    CHECK(now.day <= 31);
    CHECK(now.hour <= 23);
    CHECK(now.minute <= 59);
    CHECK(now.second <= 59);
}

TEST_CASE("an instance name claimed by this process is not another instance") {
    CHECK_FALSE(anotherInstanceRunning("TvxTestInstance"));
    CHECK_FALSE(anotherInstanceRunning("TvxTestInstance"));
    CHECK_FALSE(anotherInstanceRunning("TvxTestInstance\\Other"));
}
