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
        std::uint32_t size;
        std::string expected;
    };
    const Row rows[] = {
        {"PROGRAM", "Interface", "?", 255, "Normal"},
        {"program", "INTERFACE", "?", 255, "Normal"},
        {"Language", "currentlanguage", "?", 255, "English"},
        {"PROGRAM", "Lower", "?", 255, "yes"},
        {"PROGRAM", "spaced", "?", 255, "padded value"},
        {"PROGRAM", "Empty", "?", 255, ""},
        {"PROGRAM", "Quoted", "?", 255, "in quotes"},
        {"PROGRAM", "Single", "?", 255, "single"},
        {"PROGRAM", "Half", "?", 255, "\"half"},
        {"PROGRAM", "Long", "?", 255, std::string(254, 'v')},
        {"PROGRAM", "Interface", "?", 3, "No"},
        {"PROGRAM", "Missing", "?", 255, "?"},
        {"PROGRAM", "Missing", "default  ", 255, "default"},
        {"PROGRAM", "Missing", "  default", 255, "  default"},
        {"PROGRAM", "Missing", "default", 4, "def"},
        {"Nowhere", "Interface", "?", 255, "?"},
        {"Interface", "PROGRAM", "?", 255, "?"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.section);
        CAPTURE(row.key);
        CAPTURE(row.defaultValue);
        std::string result = "left over";
        const std::uint32_t copied =
            getPrivateProfileString(row.section, row.key, row.defaultValue, result, row.size, path);
        CHECK(copied == row.expected.size());
        CHECK(result == row.expected);
    }

    std::string result;
    CHECK(getPrivateProfileString("PROGRAM", "Interface", "?", result, 255,
                                  area.folder + "\\missing.ini") == 1);
    CHECK(result == "?");
}

TEST_CASE("private profile writes make file, section and key and replace values in place") {
    testsupport::ScratchArea area;
    const std::string path = area.folder + "\\new.ini";
    CHECK(writePrivateProfileString("S1", "K1", "v1", path));
    CHECK(contents(path) == "[S1]\r\nK1=v1\r\n");
    CHECK(writePrivateProfileString("S1", "K2", "v2", path));
    CHECK(writePrivateProfileString("S2", "K1", "v3", path));
    CHECK(contents(path) == "[S1]\r\nK1=v1\r\nK2=v2\r\n[S2]\r\nK1=v3\r\n");

    // Another case finds the same section and key; the value changes where it stands.
    CHECK(writePrivateProfileString("s1", "k1", "replaced", path));
    CHECK(upper(contents(path)) == "[S1]\r\nK1=REPLACED\r\nK2=V2\r\n[S2]\r\nK1=V3\r\n");
    std::string result;
    CHECK(getPrivateProfileString("S1", "K1", "?", result, 255, path) == 8);
    CHECK(result == "replaced");
    CHECK(writePrivateProfileString("S2", "K1", "", path));
    CHECK(getPrivateProfileString("S2", "K1", "?", result, 255, path) == 0);
    CHECK(result == "");

    CHECK_FALSE(writePrivateProfileString("S", "K", "v", area.folder + "\\None\\x.ini"));
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

TEST_CASE("version checks through the condition mask") {
    constexpr std::uint32_t kMinor = 1;
    constexpr std::uint32_t kMajor = 2;
    constexpr std::uint8_t kEqual = 1;
    constexpr std::uint8_t kGreaterEqual = 3;
    constexpr std::uint8_t kLess = 4;
    struct Row {
        std::uint32_t major;
        std::uint32_t minor;
        std::uint8_t condition;
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
        VersionInfo wanted;
        wanted.major = row.major;
        wanted.minor = row.minor;
        std::uint64_t mask = verSetConditionMask(0, kMajor, row.condition);
        mask = verSetConditionMask(mask, kMinor, row.condition);
        CHECK(verifyVersionInfo(wanted, kMajor | kMinor, mask) == row.expected);
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
