// 64-bit Windows, where Tarvex runs as a 32-bit program beside the 32-bit twins of the system
// folder and of HKLM\SOFTWARE: cleaning, backup and restore work on the native ones.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/sim/SimMachine.h"
#include "support/Drive.h"

#include <string>
#include <vector>

namespace {

using e2e::programPath;

const char kConfiguration[] = "Tvx Twins";
const char kNativeKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\TvxTwin";
const char kTwinKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\TvxTwin";
// Where a 32-bit program would read the Program Files folder: the 32-bit one.
const char kTwinCurrentVersion[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion";

// The test machine as 64-bit Windows, with a driver installed in both views, while it lives.
class TwinDriver {
  public:
    TwinDriver() {
        REQUIRE(sim::setSetting("Machine", "Wow64", "Yes"));
        for (const auto& [path, bytes] : files()) {
            REQUIRE(sim::plantFile(path, bytes, platform::kAttrArchive));
        }
        for (const std::string& editor : editors()) {
            REQUIRE(sim::plantFile(editor, "MZ", platform::kAttrArchive));
        }
        std::string problem;
        REQUIRE_MESSAGE(sim::importRegistry(std::string("REGEDIT4\r\n\r\n[") + kNativeKey +
                                                "\\Global]\r\n\"Bits\"=\"64\"\r\n\r\n[" + kTwinKey +
                                                "\\Global]\r\n\"Bits\"=\"32\"\r\n\r\n[" +
                                                kTwinCurrentVersion +
                                                "]\r\n\"ProgramFilesDir\"=\"C:\\\\Program "
                                                "Files (x86)\"\r\n",
                                            problem),
                        problem);
        setup.addConfiguration(kConfiguration,
                               "[SYSTEMFILES]\r\n\\tvxtwin.dll\r\n[DIRECTORY]\r\n\\Program "
                               "Files\\TvxTwin\r\n[REGISTRY.SECTION]\r\n" +
                                   std::string(kNativeKey) + "\\Global\r\n");
        e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "No");
    }
    ~TwinDriver() {
        sim::setSetting("Machine", "Wow64", "No");
        const std::vector<std::pair<std::string, std::string>> planted = files();
        platform::deleteFile(planted[0].first);
        platform::deleteFile(planted[2].first);
        for (const std::string& editor : editors()) {
            platform::deleteFile(editor);
        }
        platform::deleteTree("C:\\Program Files\\TvxTwin");
        platform::deleteTree("C:\\Program Files (x86)\\TvxTwin");
        // Made for the twins where the machine had none; refused when anything is in them.
        platform::removeFolder(GetWindowsFolder() + "\\SysWOW64");
        platform::removeFolder("C:\\Program Files (x86)");
        e2e::removeKey(kNativeKey);
        // The test machine has no other 32-bit twin.
        e2e::removeKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node");
    }
    TwinDriver(const TwinDriver&) = delete;
    TwinDriver& operator=(const TwinDriver&) = delete;

    // Each planted file with its bytes: the driver's own, then its 32-bit twins.
    static std::vector<std::pair<std::string, std::string>> files() {
        const std::string windows = GetWindowsFolder();
        return {{GetSystemFolder() + "\\tvxtwin.dll", "64-bit driver"},
                {"C:\\Program Files\\TvxTwin\\control.exe", "64-bit panel"},
                {windows + "\\SysWOW64\\tvxtwin.dll", "32-bit driver"},
                {"C:\\Program Files (x86)\\TvxTwin\\control.exe", "32-bit panel"}};
    }

    // The native registry editor and its 32-bit twin, as 64-bit Windows has them.
    static std::vector<std::string> editors() {
        return {GetWindowsFolder() + "\\regedit.exe",
                GetWindowsFolder() + "\\SysWOW64\\regedit.exe"};
    }

    // What each file and key holds now ("-" when it is gone), in the order of files() and then
    // the native and the twin key.
    static std::string state() {
        std::string held;
        for (const auto& [path, bytes] : files()) {
            std::string now;
            held += (platform::readFile(path, now) == platform::kOk ? now : "-") + " | ";
        }
        for (const std::string& key : {std::string(kNativeKey), std::string(kTwinKey)}) {
            const std::string bits =
                ReadRegString(platform::kHkeyLocalMachine, key.substr(19) + "\\Global", "Bits");
            held += (bits.empty() ? "-" : bits) + " | ";
        }
        return held;
    }

    e2e::CleanSetup setup;
};

} // namespace

TEST_CASE("on 64-bit Windows the registry editor found by name is the 32-bit one; Tarvex starts "
          "the native one") {
    TwinDriver driver;
    const std::string system = GetSystemFolder();
    struct Row {
        std::string program;
        const char* bits;     // the value the export holds
        std::string landedIn; // where the export file, named in the system folder, lands
    };
    const Row rows[] = {
        {"regedit.exe", "32", GetWindowsFolder() + "\\SysWOW64"},
        {platform::registryEditorProgram(), "64", system},
    };
    for (const Row& row : rows) {
        CAPTURE(row.program);
        const std::string exportPath = system + "\\tvxtwin.reg";
        REQUIRE(platform::startAndWait(row.program + " /e \"" + exportPath + "\" \"" + kNativeKey +
                                           "\\Global\"",
                                       platform::kShowHidden) == platform::kOk);
        std::string text;
        CHECK(platform::readFile(row.landedIn + "\\tvxtwin.reg", text) == platform::kOk);
        CHECK(text.find("\"Bits\"=\"" + std::string(row.bits) + "\"") != std::string::npos);
        platform::deleteFile(row.landedIn + "\\tvxtwin.reg");
    }
}

TEST_CASE("on 64-bit Windows a clean with every backup on takes the native driver and leaves its "
          "32-bit twins, and the restore puts the native one back") {
    TwinDriver driver;
    const std::string planted = TwinDriver::state();
    REQUIRE(planted == "64-bit driver | 64-bit panel | 32-bit driver | 32-bit panel | 64 | 32 | ");

    const testsupport::DriveOutcome clean = testsupport::driveTarvex(std::string(R"(
        tick 2
        expect loaded frmMain
        expect frmMain.lblOS.caption contains " 64-bit "
        select frmMain.cboConfigs ")") + kConfiguration + R"("
        answer Yes
        click frmMain.cmdClean
        expect frmMain.lstDetail.listcount 2
        expect frmMain.lstDetails.listcount 0
        click frmMain.cmdClose
        expect ended
    )");
    INFO(clean.output);
    REQUIRE(clean.ok);
    CHECK(TwinDriver::state() == "- | - | 32-bit driver | 32-bit panel | - | 32 | ");

    const testsupport::DriveOutcome restore = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmMain
        key frmMain Ctrl+U
        expect loaded frmRestore
        click frmRestore.cmdFSelectAll
        click frmRestore.cmdFRestore
        click frmRestore.cmdDSelectAll
        click frmRestore.cmdDRestore
        click frmRestore.cmdClose
        key frmMain Ctrl+Z
        expect loaded frmRegRest
        click frmRegRest.cmdRSelectAll
        click frmRegRest.cmdRRestore
        click frmRegRest.cmdClose
        click frmMain.cmdClose
        expect ended
    )");
    INFO(restore.output);
    REQUIRE(restore.ok);
    CHECK(TwinDriver::state() == planted);
    CHECK(e2e::listNames(programPath("Backup\\*")) == std::vector<std::string>{});
}
