// Quellix driven end to end: the fixes a user ticks, what lands in the system folder and the
// registry, what is kept first, and the failures it names instead of "Done".
#include <doctest/doctest.h>

#include "fixtool/QuellixSetup.h"
#include "platform/Process.h"
#include "support/Drive.h"
#include "support/StoredCabinet.h"
#include "support/TestMachine.h"
#include "system/Helpers.h"
#include "testkit/TemplateMachine.h"

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

using quellixtest::bytesOf;
using quellixtest::cachePath;
using quellixtest::dataPath;
using quellixtest::machineText;
using quellixtest::namesOf;
using quellixtest::serviceKeys;
using quellixtest::servicePackPath;
using quellixtest::systemPath;

const char kMissing[] = "(missing)";
const char kAgp440Path[] = "System32\\AGP440.sys";

// The start, the boxes ticked ("chkRegFix chkAGPnForce"...), the Fix through `command`, and the two
// status lines expected; the Fix's controls must be usable again afterwards.
std::string fixScript(const std::string& boxes, const std::string& agpStatus,
                      const std::string& registryStatus, bool errorBox = false,
                      const std::string& command = "cmdFix") {
    std::ostringstream script;
    script << "tick 2\nexpect loaded frmNFMain\n";
    std::istringstream ticked(boxes);
    for (std::string box; ticked >> box;) {
        script << "click frmNFMain." << box << "\n";
    }
    if (errorBox) {
        script << "answer OK\n";
    }
    script << "click frmNFMain." << command << "\n";
    if (errorBox) {
        script << "expect msgbox \"Please select only one AGP Fix !\"\n";
    }
    script << "expect frmNFMain.lblStat.caption \"" << agpStatus << "\"\n"
           << "expect frmNFMain.lblRStat.caption \"" << registryStatus << "\"\n";
    for (const char* control : {"cmdFix", "cmdClose", "chkRegFix", "chkAGPIntel", "chkAGPVIA",
                                "chkAGPnForce", "mnuFileFix", "mnuFileExit"}) {
        script << "expect frmNFMain." << control << ".enabled true\n";
    }
    return script.str();
}

void drive(const std::string& script) {
    const testsupport::DriveOutcome run = testsupport::driveQuellix(script);
    INFO(run.output);
    REQUIRE(run.ok);
}

// "dd-mm-yyyy_hhmmss", with "_N" after it for a second Fix in the same second.
bool isStamp(const std::string& name) {
    const std::string form = "00-00-0000_000000";
    if (name.size() < form.size()) {
        return false;
    }
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '0' ? !std::isdigit(static_cast<unsigned char>(name[i]))
                           : name[i] != form[i]) {
            return false;
        }
    }
    return name.size() == form.size() || name[form.size()] == '_';
}

} // namespace

TEST_CASE("Fix installs exactly the ticked fixes, and two AGP fixes install nothing") {
    struct Case {
        const char* what;
        const char* boxes;
        const char* command;
        bool script;           // the shipped QUELLIX.dat is in the data folder
        bool errorBox;         // the "only one AGP Fix" box
        const char* agp;       // lblStat afterwards
        const char* reg;       // lblRStat afterwards
        const char* installed; // "AGP440", "VIAAGP1" (from the data folder), "services" (imported)
    };
    const Case cases[] = {
        {"nForce and Registry", "chkRegFix chkAGPnForce", "cmdFix", true, false,
         "nForce AGP Fix Done", "Registry Fix Done", "AGP440 services"},
        {"Intel alone, from the menu", "chkAGPIntel", "mnuFileFix", true, false,
         "Intel AGP Fix Done", "", "AGP440"},
        {"VIA alone", "chkAGPVIA", "cmdFix", true, false, "VIA AGP Fix Done", "", "VIAAGP1"},
        {"nForce, VIA and Registry", "chkAGPnForce chkAGPVIA chkRegFix", "cmdFix", true, true, "",
         "", ""},
        {"Intel and VIA", "chkAGPIntel chkAGPVIA", "cmdFix", true, true, "", "", ""},
        {"nothing ticked", "", "cmdFix", true, false, "", "", ""},
        {"Registry without its script", "chkRegFix", "cmdFix", false, false, "",
         "Registry Fix failed: QUELLIX.dat not found", ""},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        quellixtest::QuellixSetup setup;
        setup.plant(dataPath("AGP440.sys"), "AGP440 from the data folder");
        setup.plant(dataPath("VIAAGP1.sys"), "VIAAGP1 from the data folder");
        if (c.script) {
            quellixtest::QuellixSetup::shipScript();
        }
        drive(fixScript(c.boxes, c.agp, c.reg, c.errorBox, c.command));
        const std::string installed = c.installed;
        const auto has = [&](const char* what) {
            return installed.find(what) != std::string::npos;
        };
        CHECK(bytesOf(systemPath("AGP440.sys")) ==
              (has("AGP440") ? "AGP440 from the data folder" : kMissing));
        CHECK(bytesOf(systemPath("VIAAGP1.sys")) ==
              (has("VIAAGP1") ? "VIAAGP1 from the data folder" : kMissing));
        CHECK(machineText(serviceKeys()[0], "ImagePath") ==
              (has("services") ? kAgp440Path : kMissing));
        CHECK(machineText(serviceKeys()[1], "ImagePath") ==
              (has("services") ? "System32\\VIAAGP1.sys" : kMissing));
        // Nothing was there before: nothing to keep, no backup folder.
        CHECK(namesOf(dataPath("Backup\\*")).empty());
    }
}

TEST_CASE("what a Fix replaces is kept first and can be put back by hand") {
    quellixtest::QuellixSetup setup;
    quellixtest::QuellixSetup::shipScript();
    setup.plant(dataPath("AGP440.sys"), "new AGP440");
    setup.plant(systemPath("AGP440.sys"), "the machine's own AGP440");
    const std::string service = "HKEY_LOCAL_MACHINE\\" + serviceKeys()[0];
    setup.plant(dataPath("old.reg"),
                "REGEDIT4\r\n\r\n[" + service +
                    "]\r\n\"ImagePath\"=\"System32\\\\DRIVERS\\\\agp440.sys\"\r\n"
                    "\"Start\"=dword:00000000\r\n");
    REQUIRE(StartAndWait("Regedit /S \"" + dataPath("old.reg") + "\"", platform::kShowHidden) ==
            platform::kOk);
    REQUIRE(machineText(serviceKeys()[0], "ImagePath") == "System32\\DRIVERS\\agp440.sys");

    // Twice: the second Fix keeps what the first put there, and never touches the first's copies.
    drive(fixScript("chkRegFix chkAGPnForce", "nForce AGP Fix Done", "Registry Fix Done") +
          "click frmNFMain.cmdFix\n" + "expect frmNFMain.lblRStat.caption \"Registry Fix Done\"\n");
    CHECK(bytesOf(systemPath("AGP440.sys")) == "new AGP440");
    CHECK(machineText(serviceKeys()[0], "ImagePath") == kAgp440Path);

    const std::vector<std::string> sets = namesOf(dataPath("Backup\\*"));
    REQUIRE(sets.size() == 2);
    const std::string first = dataPath("Backup\\" + sets[0]);
    // Before the first Fix viaagp1 did not exist: only agp440 was exported; the second finds both.
    const std::vector<std::vector<std::string>> kept = {
        {"agp440.reg", "agp440.sys"}, {"agp440.reg", "agp440.sys", "viaagp1.reg"}};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        CHECK(isStamp(sets[i]));
        CHECK(namesOf(dataPath("Backup\\" + sets[i] + "\\*")) == kept[i]);
    }
    CHECK(bytesOf(first + "\\AGP440.sys") == "the machine's own AGP440");
    CHECK(bytesOf(dataPath("Backup\\" + sets[1] + "\\AGP440.sys")) == "new AGP440");

    // Undoing the registry fix as the help says: the first export imported again.
    REQUIRE(StartAndWait("Regedit /S \"" + first + "\\agp440.reg\"", platform::kShowHidden) ==
            platform::kOk);
    CHECK(machineText(serviceKeys()[0], "ImagePath") == "System32\\DRIVERS\\agp440.sys");
}

TEST_CASE("an AGP file missing from the data folder is taken from the machine's own copies") {
    using testsupport::storedCabinet;
    using testsupport::StoredFile;
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files; // path, bytes
        const char* status;
        const char* copied; // AGP440.sys in the system folder afterwards
    };
    const std::string driverCab = storedCabinet({{"acpi.sys", "acpi"}, {"agp440.sys", "SP0"}});
    const std::string sp1Cab = storedCabinet({{"agp440.sys", "SP1"}});
    const std::string sp2Cab = storedCabinet({{"usbhub.sys", "hub"}, {"agp440.sys", "SP2"}});
    const std::string without = storedCabinet({{"acpi.sys", "acpi"}});
    const Case cases[] = {
        {"only driver.cab", {{cachePath("driver.cab"), driverCab}}, "nForce AGP Fix Done", "SP0"},
        {"the newest service pack's cabinet first",
         {{cachePath("driver.cab"), driverCab},
          {cachePath("sp1.cab"), sp1Cab},
          {cachePath("SP2.CAB"), sp2Cab}},
         "nForce AGP Fix Done",
         "SP2"},
        {"a damaged cabinet passed over",
         {{cachePath("sp3.cab"), "MSCF damaged"}, {cachePath("driver.cab"), driverCab}},
         "nForce AGP Fix Done",
         "SP0"},
        {"the service pack files before the cabinets",
         {{servicePackPath("agp440.sys"), "plain SP"}, {cachePath("sp2.cab"), sp2Cab}},
         "nForce AGP Fix Done",
         "plain SP"},
        {"the data folder before everything",
         {{dataPath("AGP440.sys"), "ours"}, {servicePackPath("AGP440.sys"), "plain SP"}},
         "nForce AGP Fix Done",
         "ours"},
        {"nowhere",
         {{cachePath("driver.cab"), without}},
         "nForce AGP Fix failed: AGP440.sys not found",
         kMissing},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        quellixtest::QuellixSetup setup;
        for (const auto& file : c.files) {
            setup.plant(file.first, file.second);
        }
        drive(fixScript("chkAGPnForce", c.status, ""));
        CHECK(bytesOf(systemPath("AGP440.sys")) == c.copied);
        // Taken from the machine, never left in the data folder or the temporary folder.
        std::size_t ownCopies = 0;
        for (const auto& file : c.files) {
            ownCopies += file.first.rfind(dataPath(""), 0) == 0 ? 1 : 0;
        }
        CHECK(namesOf(dataPath("*.sys")).size() == ownCopies);
        CHECK_FALSE(FolderExists(GetTempFolder() + "QuellixAgp"));
    }
}

TEST_CASE("a Fix that could not do its work says what failed and changes nothing") {
    quellixtest::QuellixSetup setup;
    quellixtest::QuellixSetup::shipScript();
    setup.plant(dataPath("AGP440.sys"), "new AGP440");

    SUBCASE("an AGP file in the system folder that cannot be kept stays") {
        setup.plant(systemPath("AGP440.sys"), "the machine's own AGP440");
        {
            const testsupport::HoldOpen held(systemPath("AGP440.sys"));
            REQUIRE(held.held());
            drive(fixScript("chkAGPnForce",
                            "nForce AGP Fix failed: the old AGP440.sys could not be kept", ""));
        }
        CHECK(bytesOf(systemPath("AGP440.sys")) == "the machine's own AGP440");
    }
    SUBCASE("a copy that does not arrive") {
        // A folder of the file's name stands in the way.
        REQUIRE(platform::createFolder(systemPath("AGP440.sys")) == platform::kOk);
        drive(
            fixScript("chkAGPnForce", "nForce AGP Fix failed: AGP440.sys could not be copied", ""));
        CHECK(bytesOf(systemPath("AGP440.sys")) == kMissing);
        DeleteFolderTree(systemPath("AGP440.sys"));
    }
    SUBCASE("a registry editor that cannot start") {
        const testsupport::ProgramUnavailable noEditor("regedit");
        REQUIRE(noEditor.active());
        drive(fixScript("chkRegFix", "",
                        "Registry Fix failed: the registry editor could not be started"));
        CHECK(machineText(serviceKeys()[0], "ImagePath") == kMissing);
    }
    SUBCASE("a damaged script is not imported at all") {
        std::string script = bytesOf(dataPath("QUELLIX.dat"));
        script += "\"Start\"=dword:not-a-number\r\n";
        REQUIRE(platform::writeFile(dataPath("QUELLIX.dat"), script) == platform::kOk);
        drive(fixScript("chkRegFix", "", "Registry Fix failed: QUELLIX.dat is damaged"));
        CHECK(machineText(serviceKeys()[0], "ImagePath") == kMissing);
    }
    CHECK(namesOf(dataPath("Backup\\*")).empty());
}

TEST_CASE("the OS lines name the system, and the service pack only where there is a product type") {
    struct Case {
        const char* wineName;
        const char* os;
        const char* servicePack;
    };
    // Windows 98 has no product type: its name and one blank, and no service pack line.
    const Case cases[] = {
        {"win98", "Windows 98 Release 2 ", ""},
        {"winxp", "Windows XP Home / Professional", "(Service Pack 3)"},
    };
    testsupport::ScratchArea area;
    for (const Case& c : cases) {
        CAPTURE(std::string(c.wineName));
        const testsupport::WindowsVersion version(c.wineName);
        if (!version.switched()) {
            MESSAGE("this machine cannot play other Windows versions; case skipped");
            continue;
        }
        // A program of its own: only a program started now sees the version.
        const std::string script = area.folder + "\\os.tvx";
        REQUIRE(
            platform::writeFile(script, std::string("tick 2\nexpect frmNFMain.lblOS.caption \"") +
                                            c.os + "\"\nexpect frmNFMain.lblOSSP.caption \"" +
                                            c.servicePack + "\"\n") == platform::kOk);
        std::uint32_t exitCode = 99;
        REQUIRE(platform::startAndWait(testsupport::toolCommand("tvxdrive") +
                                           " --program quellix \"" + script + "\"",
                                       platform::kShowHidden, &exitCode) == platform::kOk);
        CHECK(exitCode == 0);
    }
    // The simulated machine can be a Windows 98 SE installation of its own (Windows itself stays
    // what it is).
    const testkit::TemplateMachine win98("win98-se");
    if (testsupport::onSimulatedMachine()) {
        REQUIRE_MESSAGE(win98.made(), win98.problem);
        drive("tick 2\nexpect frmNFMain.lblOS.caption \"Windows 98 Release 2 \"\n"
              "expect frmNFMain.lblOSSP.caption \"\"\n");
    }
}
