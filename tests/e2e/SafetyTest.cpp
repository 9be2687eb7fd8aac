// What a clean run must not lose, driven through the normal window: nothing goes whose backup was
// asked for and could not be made, and the configuration a run started with keeps its hits.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "platform/Registry.h"
#include "support/Drive.h"
#include "support/TestMachine.h"

#include <string>
#include <vector>

namespace {

using e2e::detailLine;
using e2e::exists;
using e2e::programPath;

// A vendor's file, folder, key and Run value below the test's own scratch area.
struct Leftovers {
    Leftovers() {
        folder = scratch.folder + "\\Vendor";
        file = GetWindowsFolder() + "\\TvxSafety.dll";
        key = scratch.regKey + "\\Vendor Corp";
        REQUIRE(platform::createFolder(folder) == platform::kOk);
        REQUIRE(platform::writeFile(folder + "\\tool.exe", "tool") == platform::kOk);
        REQUIRE(platform::writeFile(file, "driver") == platform::kOk);
        platform::RegKey created = 0;
        REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, key + "\\Global", created) ==
                platform::kOk);
        platform::regCloseKey(created);
        REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, scratch.regKey + "\\Run",
                                       created) == platform::kOk);
        REQUIRE(platform::regSetValue(created, "Tray", platform::kRegSz,
                                      std::string("tray.exe") + '\0') == platform::kOk);
        platform::regCloseKey(created);
        const std::string keys = "HKEY_CURRENT_USER\\" + scratch.regKey;
        configuration = "[FILES]\r\n\\TvxSafety.dll\r\n[DIRECTORY]\r\n" + folder.substr(2) +
                        "\r\n[REGISTRY.SECTION]\r\n" + keys + "\\Vendor Corp\r\n" +
                        "[REGISTRY.VALUE]\r\n" + keys + "\\Run\\Tray\r\n";
    }
    ~Leftovers() { platform::deleteFile(file); }

    bool valuePresent() const {
        platform::RegKey opened = 0;
        if (platform::regOpenKey(platform::kHkeyCurrentUser, scratch.regKey + "\\Run",
                                 platform::RegAccess::Read, opened) != platform::kOk) {
            return false;
        }
        std::uint32_t type = 0;
        std::string data;
        const bool present = platform::regQueryValue(opened, "Tray", type, data) == platform::kOk;
        platform::regCloseKey(opened);
        return present;
    }

    bool keyPresent() const {
        platform::RegKey opened = 0;
        if (platform::regOpenKey(platform::kHkeyCurrentUser, key, platform::RegAccess::Read,
                                 opened) != platform::kOk) {
            return false;
        }
        platform::regCloseKey(opened);
        return true;
    }

    testsupport::ScratchArea scratch;
    std::string folder;
    std::string file;
    std::string key;
    std::string configuration;
};

const char* const kCleanTvxSafety = R"(
    tick 2
    expect loaded frmMain
    select frmMain.cboConfigs TvxSafety
    answer Yes
    click frmMain.cmdClean
    click frmMain.cmdClose
    expect ended
)";

} // namespace

TEST_CASE("with the backup folder unwritable nothing whose backup was asked for goes, and the "
          "red list says why") {
    e2e::CleanSetup setup;
    Leftovers leftovers;
    setup.addConfiguration("TvxSafety", leftovers.configuration);
    // A file where the backup folder should be: no set folder can be made below it.
    REQUIRE(platform::writeFile(programPath("Backup"), "in the way") == platform::kOk);
    e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "No");

    const testsupport::DriveOutcome kept = testsupport::driveTarvex(std::string(R"(
        tick 2
        expect loaded frmMain
        select frmMain.cboConfigs TvxSafety
        answer Yes
        click frmMain.cmdClean
        expect frmMain.lstDetail.listcount 0
        print frmMain
        click frmMain.cmdClose
        expect ended
    )"));
    INFO(kept.output);
    REQUIRE(kept.ok);
    CHECK(exists(leftovers.file));
    CHECK(exists(leftovers.folder + "\\tool.exe"));
    CHECK(leftovers.keyPresent());
    CHECK(leftovers.valuePresent());
    const std::string keys = "HKEY_CURRENT_USER\\" + leftovers.scratch.regKey;
    for (const std::string& path :
         {leftovers.file, leftovers.folder, keys + "\\Vendor Corp", keys + "\\Run\\Tray"}) {
        CAPTURE(path);
        CHECK(kept.output.find(detailLine("0031", path)) != std::string::npos);
    }

    // The same lines with the backups off take everything.
    platform::deleteFile(programPath("Backup"));
    e2e::CleanSetup::setRunSettings("No", "No", "No", "No");
    const testsupport::DriveOutcome taken = testsupport::driveTarvex(kCleanTvxSafety);
    INFO(taken.output);
    REQUIRE(taken.ok);
    CHECK_FALSE(exists(leftovers.file));
    CHECK_FALSE(exists(leftovers.folder));
    CHECK_FALSE(leftovers.keyPresent());
    CHECK_FALSE(leftovers.valuePresent());
}

TEST_CASE("the configuration a run started with keeps its search hits when another is picked "
          "meanwhile") {
    e2e::CleanSetup setup;
    testsupport::ScratchArea scratch;
    platform::RegKey created = 0;
    REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, scratch.regKey + "\\TvxDuringMarker",
                                   created) == platform::kOk);
    platform::regCloseKey(created);
    setup.addConfiguration("TvxSearching",
                           "[REGISTRY.SEARCH]\r\nHKEY_CURRENT_USER,TvxDuringMarker\r\n");
    setup.addConfiguration("TvxBystander", "[FILES]\r\n\\TvxNoSuchFile.dll\r\n");

    const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmMain
        select frmMain.cboConfigs TvxSearching
        answer Yes
        during select frmMain.cboConfigs TvxBystander
        click frmMain.cmdClean
        expect frmMain.cboConfigs.text TvxBystander
        click frmMain.cmdClose
        expect ended
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK_FALSE(exists(programPath("TvxBystander.txr")));
    CHECK_FALSE(exists(programPath("TvxSearching.txr")));
    CHECK(platform::regOpenKey(platform::kHkeyCurrentUser, scratch.regKey + "\\TvxDuringMarker",
                               platform::RegAccess::Read, created) != platform::kOk);
}
