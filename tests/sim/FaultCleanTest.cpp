// Whole clean runs on a machine where something is held open or denied: what stays, and what the
// lists say, with the backups on and off.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "platform/Registry.h"
#include "platform/sim/SimMachine.h"
#include "support/Drive.h"

#include <string>

namespace {

using e2e::detailLine;
using e2e::exists;

bool keyPresent(const std::string& path) {
    platform::RegKey key = 0;
    if (platform::regOpenKey(platform::kHkeyCurrentUser, path, platform::RegAccess::Read, key) !=
        platform::kOk) {
        return false;
    }
    platform::regCloseKey(key);
    return true;
}

} // namespace

TEST_CASE("a file in use, a denied folder and an undeletable subkey stay through a whole clean") {
    for (const bool backups : {false, true}) {
        CAPTURE(backups);
        e2e::CleanSetup setup;
        testsupport::ScratchArea scratch;
        const std::string windows = GetWindowsFolder();
        const std::string busy = windows + "\\TvxBusy.dll";
        const std::string free = windows + "\\TvxFree.dll";
        const std::string locked = scratch.folder + "\\Locked";
        const std::string vendor = scratch.regKey + "\\Vendor Corp";
        REQUIRE(sim::plantFile(busy, "busy", 0));
        REQUIRE(sim::plantFile(free, "free", 0));
        REQUIRE(sim::plantFile(locked + "\\tool.exe", "tool", 0));
        platform::RegKey key = 0;
        REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, vendor + "\\Global\\Denied",
                                       key) == platform::kOk);
        platform::regCloseKey(key);
        REQUIRE(sim::markInUse(busy, true));
        REQUIRE(sim::markAccessDenied(locked, true));
        REQUIRE(sim::markAccessDenied("HKEY_CURRENT_USER\\" + vendor + "\\Global\\Denied", true));
        setup.addConfiguration("TvxFaults", "[FILES]\r\n\\TvxBusy.dll\r\n\\TvxFree.dll\r\n"
                                            "[DIRECTORY]\r\n" +
                                                locked.substr(2) +
                                                "\r\n[REGISTRY.SECTION]\r\nHKEY_CURRENT_USER\\" +
                                                vendor + "\r\n");
        const std::string on = backups ? "Yes" : "No";
        e2e::CleanSetup::setRunSettings(on, on, on, "No");

        const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
            tick 2
            expect loaded frmMain
            select frmMain.cboConfigs TvxFaults
            answer Yes
            click frmMain.cmdClean
            print frmMain
            click frmMain.cmdClose
            expect ended
        )");
        INFO(run.output);
        REQUIRE(run.ok);
        CHECK(exists(busy));
        CHECK_FALSE(exists(free));
        CHECK(exists(locked + "\\tool.exe"));
        CHECK(keyPresent(vendor + "\\Global\\Denied"));
        // Without a backup the items were found, so they are listed as found although they stay;
        // with one, the copy of a file held open or a denied folder cannot be made: they are
        // kept and the red list says so.
        CHECK(run.output.find(detailLine(backups ? "0031" : "0015", busy)) != std::string::npos);
        CHECK(run.output.find(detailLine(backups ? "0031" : "0017", locked)) != std::string::npos);
        CHECK(run.output.find(detailLine("0015", free)) != std::string::npos);

        sim::markInUse(busy, false);
        sim::markAccessDenied(locked, false);
        sim::markAccessDenied("HKEY_CURRENT_USER\\" + vendor + "\\Global\\Denied", false);
        platform::deleteFile(busy);
    }
}
