// The advanced window's run over several slots and the wizard's reduced run, driven end to end,
// and cleaning windows left in the middle of a run.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "support/Drive.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using e2e::detailLine;
using e2e::exists;
using e2e::fileLines;
using e2e::listNames;
using e2e::programPath;

std::string systemFile(const std::string& name) {
    return GetSystemFolder() + "\\" + name;
}

// The position of `line` in `lines`, or the size when it is not there.
std::size_t positionOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

} // namespace

TEST_CASE("the advanced window cleans the checked slots in slot order, each with its own sets") {
    e2e::CleanSetup setup;
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Advanced");
    e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "Yes");
    setup.addShippedConfiguration("NVIDIA");
    setup.addShippedConfiguration("ATI");
    setup.plant("NVIDIA");
    setup.plant("ATI");

    // Slot 3 is checked first, yet slot 1 is cleaned first.
    const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmAdvanced
        click frmAdvanced.chkConfig3
        select frmAdvanced.cboConfigs3 NVIDIA
        click frmAdvanced.chkConfig1
        select frmAdvanced.cboConfigs1 ATI
        answer Yes
        during expect frmAdvanced.lblStatusFile.caption "Cleaning with the ATI filter..."
        during expect frmAdvanced.cmdClose.enabled false
        click frmAdvanced.cmdClean
        expect frmAdvanced.lblStatusFile.caption ""
        expect frmAdvanced.lblStatus.caption "Cleaning finished."
        expect frmAdvanced.cmdClean.enabled true
        click frmAdvanced.cmdClose
        expect ended
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(setup.leftovers("ATI") == "");
    CHECK(setup.leftovers("NVIDIA") == "");
    CHECK_FALSE(exists(GetWindowsFolder() + "\\xttxf.dll"));
    CHECK_FALSE(exists(programPath("ATI.txr")));
    CHECK_FALSE(exists(programPath("NVIDIA.txr")));

    const std::vector<std::string> logs = listNames(programPath("Log\\*.log"));
    REQUIRE(logs.size() == 1);
    const std::string stamp = logs[0].substr(0, 17);
    CHECK(logs[0] == stamp + "_Advanced Cleaning.log");
    const std::vector<std::string> log = fileLines(programPath("Log\\" + logs[0]));
    REQUIRE(log.size() > 5);
    CHECK(log[0].rfind("-------- ", 0) == 0);
    CHECK(std::vector<std::string>(log.begin() + 1, log.begin() + 5) ==
          std::vector<std::string>{"- ATI", "- ", "- NVIDIA", "- "});
    // The found lines of both configurations, ATI's before NVIDIA's.
    const std::size_t atiLine = positionOf(log, detailLine("0015", systemFile("ati2dvag.dll")));
    const std::size_t nvidiaLine = positionOf(log, detailLine("0015", systemFile("nv4_disp.dll")));
    CHECK(atiLine == 5);
    CHECK(nvidiaLine < log.size());
    CHECK(atiLine < nvidiaLine);

    // One stamp, the configuration's name in each set; the registry counter starts again at 1
    // for the second configuration.
    const std::vector<std::string> sets = listNames(programPath("Backup\\*"));
    CHECK(sets == std::vector<std::string>{stamp + "_ATI_DirBackup", stamp + "_ATI_FileBackup",
                                           stamp + "_ATI_RegBackup", stamp + "_NVIDIA_DirBackup",
                                           stamp + "_NVIDIA_FileBackup",
                                           stamp + "_NVIDIA_RegBackup"});
    for (const char* family : {"ATI", "NVIDIA"}) {
        CAPTURE(std::string(family));
        const std::string set = stamp + "_" + family + "_RegBackup";
        const std::vector<std::string> regIndex =
            fileLines(programPath("Backup\\" + set + "\\" + set + ".drb"));
        REQUIRE_FALSE(regIndex.empty());
        const std::string& first = regIndex[0];
        CHECK(first.substr(first.size() - 5) == "1.dat");
    }
}

TEST_CASE("the wizard cleans without backups, lists or log, whatever the settings say") {
    e2e::CleanSetup setup;
    WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "Yes");
    e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "Yes");
    setup.addShippedConfiguration("NVIDIA");
    setup.plant("NVIDIA");

    const testsupport::DriveOutcome run = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmWiz1
        select frmWiz1.cboConfigsWiz NVIDIA
        click frmWiz1.cmdNext
        expect frmWiz2.lblWizCFilter.caption NVIDIA
        answer Yes
        during expect frmWiz2.lblWizStatus.caption "Cleaning, please wait..."
        during expect frmWiz2.cmdClean.enabled false
        during expect frmWiz2.cmdClose.enabled false
        during expect frmWiz2.cmdBack.enabled true
        click frmWiz2.cmdClean
        expect frmWiz2.lblWizStatus.caption "Cleaning finished. You can close the wizard now."
        expect frmWiz2.cmdClean.enabled true
        expect frmWiz2.cmdClose.enabled true
        click frmWiz2.cmdClose
        expect loaded frmMain
        click frmMain.cmdClose
        expect ended
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(setup.leftovers("NVIDIA") == "");
    CHECK_FALSE(exists(GetWindowsFolder() + "\\xtdwf.dll"));
    CHECK_FALSE(exists(programPath("NVIDIA.txr")));
    CHECK_FALSE(exists(programPath("Backup")));
    CHECK_FALSE(exists(programPath("Log")));
}

TEST_CASE("a cleaning window left during the registry search stops it and ends the run cleanly") {
    struct Row {
        const char* what;
        const char* interface;
        // From the start to the clean, with the action that unloads the window in the middle
        // of the search.
        const char* script;
        const char* after; // the window open afterwards; "" when the program ended
        const char* decoded;
    };
    const Row rows[] = {
        {"the normal window switched to the wizard", "Normal",
         "expect loaded frmMain\nselect frmMain.cboConfigs NVIDIA\nanswer Yes\n"
         "during click frmMain.mnuOptionsWizard\nclick frmMain.cmdClean\n",
         "frmWiz1", "xttxf.dll"},
        {"the normal window closed by its close box", "Normal",
         "expect loaded frmMain\nselect frmMain.cboConfigs NVIDIA\nanswer Yes\n"
         "during close frmMain\nclick frmMain.cmdClean\n",
         "", "xttxf.dll"},
        {"the wizard's page left by Back", "Wizard",
         "expect loaded frmWiz1\nselect frmWiz1.cboConfigsWiz NVIDIA\nclick frmWiz1.cmdNext\n"
         "answer Yes\nduring click frmWiz2.cmdBack\nclick frmWiz2.cmdClean\n",
         "frmWiz1", "xtdwf.dll"},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.what));
        e2e::CleanSetup setup;
        if (std::string(row.interface) == "Wizard") {
            WriteIni("Tarvex.ini", "PROGRAM", "Wizard", "Yes");
        }
        setup.addShippedConfiguration("NVIDIA");
        setup.plant("NVIDIA");
        const std::string ending = *row.after != '\0'
                                       ? std::string("expect loaded ") + row.after + "\n"
                                       : std::string("expect ended\n");
        const testsupport::DriveOutcome run =
            testsupport::driveTarvex(std::string("tick 2\n") + row.script + ending);
        INFO(run.output);
        REQUIRE(run.ok);
        // The files and folders come before the search and are gone; the run's temporary
        // files are gone although it was cut short.
        CHECK_FALSE(exists(systemFile("nv4_disp.dll")));
        CHECK_FALSE(exists(GetProgramFilesFolder() + "\\NVIDIA Corporation\\Installer"));
        CHECK_FALSE(exists(GetWindowsFolder() + "\\" + row.decoded));
        CHECK_FALSE(exists(programPath("NVIDIA.txr")));
    }
}
