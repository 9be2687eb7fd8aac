// The cleaning windows' own part of loading and of the clean run: the configuration lists, a
// program folder without configurations, damaged configurations, stale temporary files, a
// companion file left by an interrupted run, and the advanced run's corner cases.
#include <doctest/doctest.h>

#include "cleaning/Display.h"
#include "e2e/CleanSetup.h"
#include "platform/Registry.h"
#include "support/Drive.h"
#include "support/TestMachine.h"

#include <string>
#include <vector>

namespace {

using e2e::exists;
using e2e::fileLines;
using e2e::listNames;
using e2e::programPath;

// The start up to `window`, the one the settings name.
std::string startTo(const std::string& window) {
    return "tick 2\nexpect loaded " + window + "\n";
}

} // namespace

TEST_CASE("without configurations each cleaning window says so once and offers no clean") {
    struct Row {
        const char* window;
        const char* wizard;
        const char* interface;
        std::vector<const char*> commands; // disabled afterwards
    };
    const Row rows[] = {
        {"frmMain", "No", "Normal", {"cmdClean", "mnuFileClean", "mnuFilePreview"}},
        {"frmAdvanced", "No", "Advanced", {"cmdClean", "mnuFileClean", "mnuFilePreview"}},
        {"frmWiz1", "Yes", "Normal", {"cmdNext"}},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.window));
        e2e::CleanSetup setup;
        WriteIni("Tarvex.ini", "PROGRAM", "Wizard", row.wizard);
        WriteIni("Tarvex.ini", "PROGRAM", "Interface", row.interface);
        std::string script = "answer OK\n" + startTo(row.window);
        script += std::string("expect msgbox \"") + e2e::englishText("0007") + "\"\n";
        for (const char* command : row.commands) {
            script += std::string("expect ") + row.window + "." + command + ".enabled false\n";
        }
        const testsupport::DriveOutcome run = testsupport::driveTarvex(script);
        INFO(run.output);
        REQUIRE(run.ok);
        // One box, critical, with its title.
        CHECK(run.output.find("msgbox title=\"" + e2e::englishText("0008") + "\"") !=
              std::string::npos);
        CHECK(run.output.find("icon=critical") != std::string::npos);
        CHECK(run.output.find("msgbox ") == run.output.rfind("msgbox "));
    }
}

TEST_CASE("the windows list every ordinary configuration, the first selected, beside the adapter") {
    e2e::CleanSetup setup;
    const char* const plain = "[FILES]\r\n\\TvxNoSuchFile.dll\r\n";
    setup.addConfiguration("My.Card", plain);
    setup.addConfiguration("Hidden", plain);
    platform::setAttributes(programPath("Hidden.txf"), platform::kAttrHidden);
    setup.addConfiguration("Other", plain);
    // The directory order is the platform's; the lists follow it.
    std::vector<platform::FindEntry> entries;
    REQUIRE(platform::findFiles(programPath("*.txf"), entries) == platform::kOk);
    std::vector<std::string> expected;
    for (const platform::FindEntry& entry : entries) {
        if (entry.name != "Hidden.txf") {
            expected.push_back(entry.name.substr(0, entry.name.rfind('.')));
        }
    }
    REQUIRE(expected.size() == 2);
    const std::string items = expected[0] + "|" + expected[1];

    struct Row {
        const char* window;
        const char* wizard;
        const char* interface;
        std::vector<const char*> lists;
    };
    const Row rows[] = {
        {"frmMain", "No", "Normal", {"cboConfigs"}},
        {"frmAdvanced",
         "No",
         "Advanced",
         {"cboConfigs1", "cboConfigs2", "cboConfigs3", "cboConfigs4"}},
        {"frmWiz1", "Yes", "Normal", {"cboConfigsWiz"}},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.window));
        WriteIni("Tarvex.ini", "PROGRAM", "Wizard", row.wizard);
        WriteIni("Tarvex.ini", "PROGRAM", "Interface", row.interface);
        std::string script = startTo(row.window);
        if (std::string(row.window) != "frmWiz1") {
            // The cleaning windows name display device 0 beside their lists.
            script += std::string("expect ") + row.window + ".lblGPU.caption \"" +
                      GetDisplayAdapterName() + "\"\n";
        }
        for (const char* list : row.lists) {
            const std::string control = std::string(row.window) + "." + list;
            script += "expect " + control + ".items \"" + items + "\"\n";
            script += "expect " + control + ".listindex 0\n";
            script += "expect " + control + ".text \"" + expected[0] + "\"\n";
        }
        const testsupport::DriveOutcome run = testsupport::driveTarvex(script);
        INFO(run.output);
        CHECK(run.ok);
    }
}

TEST_CASE("a configuration that cannot be decoded removes nothing, not even by a stale copy") {
    e2e::CleanSetup setup;
    testsupport::ScratchArea scratch;
    e2e::CleanSetup::setRunSettings("No", "No", "No", "Yes");
    // The damaged configuration: not an encoded file at all.
    setup.addConfiguration("Damaged", "[FILES]\r\n");
    platform::writeFile(programPath("Damaged.txf"), "no container here\r\n");
    // A decoded copy an interrupted run left, naming a folder that must survive.
    const std::string stale = GetWindowsFolder() + "\\xttxf.dll";
    const std::string victim = scratch.folder + "\\Victim";
    REQUIRE(platform::createFolder(victim) == platform::kOk);
    REQUIRE(platform::writeFile(stale, "[DIRECTORY]\r\n" + victim.substr(2) + "\r\n") ==
            platform::kOk);

    const testsupport::DriveOutcome run = testsupport::driveTarvex(startTo("frmMain") + R"(
        select frmMain.cboConfigs Damaged
        answer Yes
        click frmMain.cmdClean
        expect frmMain.lblStatus.caption "Cleaning finished."
        expect frmMain.lstDetail.listcount 0
        expect frmMain.lstDetails.listcount 0
        click frmMain.cmdClose
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(exists(victim));
    CHECK_FALSE(exists(stale));
    // The log holds its header line only.
    const std::vector<std::string> logs = listNames(programPath("Log\\*_Damaged.log"));
    REQUIRE(logs.size() == 1);
    const std::vector<std::string> log = fileLines(programPath("Log\\" + logs[0]));
    REQUIRE(log.size() == 1);
    CHECK(log[0].rfind("-------- ", 0) == 0);
}

TEST_CASE("a companion file left by an interrupted run is executed by the next run and deleted") {
    e2e::CleanSetup setup;
    testsupport::ScratchArea scratch;
    const std::string left = "HKEY_CURRENT_USER\\" + scratch.regKey + "\\LeftByTheSearch";
    const std::string kept = "HKEY_CURRENT_USER\\" + scratch.regKey + "\\Kept";
    for (const std::string& key : {left + "\\Below", kept}) {
        platform::RegKey created = 0;
        REQUIRE(platform::regCreateKey(platform::kHkeyCurrentUser, key.substr(18), created) ==
                platform::kOk);
        platform::regCloseKey(created);
    }
    setup.addConfiguration("Tiny", "[FILES]\r\n\\TvxNoSuchFile.dll\r\n");
    REQUIRE(platform::writeFile(programPath("Tiny.txr"), left + "\r\n") == platform::kOk);

    const testsupport::DriveOutcome run = testsupport::driveTarvex(startTo("frmMain") + R"(
        answer Yes
        click frmMain.cmdClean
        click frmMain.cmdClose
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    platform::RegKey opened = 0;
    CHECK(platform::regOpenKey(platform::kHkeyCurrentUser, left.substr(18),
                               platform::RegAccess::Read, opened) != platform::kOk);
    REQUIRE(platform::regOpenKey(platform::kHkeyCurrentUser, kept.substr(18),
                                 platform::RegAccess::Read, opened) == platform::kOk);
    platform::regCloseKey(opened);
    CHECK_FALSE(exists(programPath("Tiny.txr")));
}

TEST_CASE("an advanced run with no slot checked still finishes, prunes and logs") {
    e2e::CleanSetup setup;
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Advanced");
    e2e::CleanSetup::setRunSettings("Yes", "No", "No", "Yes");
    setup.addConfiguration("Tiny", "[FILES]\r\n\\TvxNoSuchFile.dll\r\n");
    // Folders of an earlier run: the backup and log folders are made per configuration, so a
    // run without one makes none and logs into the folder that is there.
    platform::createFolder(programPath("Backup"));
    platform::createFolder(programPath("Backup\\01-02-2020_101010_Tiny_FileBackup"));
    platform::createFolder(programPath("Log"));

    const testsupport::DriveOutcome run = testsupport::driveTarvex(startTo("frmAdvanced") + R"(
        answer Yes
        click frmAdvanced.cmdClean
        expect frmAdvanced.lblStatus.caption "Cleaning finished."
        expect frmAdvanced.lstDetails.listcount 0
        click frmAdvanced.cmdClose
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(listNames(programPath("Backup\\*")).empty());
    const std::vector<std::string> logs = listNames(programPath("Log\\*.log"));
    REQUIRE(logs.size() == 1);
    CHECK(logs[0].substr(17) == "_Advanced Cleaning.log");
    const std::vector<std::string> log = fileLines(programPath("Log\\" + logs[0]));
    REQUIRE(log.size() == 5);
    CHECK(std::vector<std::string>(log.begin() + 1, log.end()) ==
          std::vector<std::string>{"- ", "- ", "- ", "- "});
}

TEST_CASE("a configuration in two checked slots is cleaned twice: the second finds nothing") {
    e2e::CleanSetup setup;
    testsupport::ScratchArea scratch;
    WriteIni("Tarvex.ini", "PROGRAM", "Interface", "Advanced");
    const std::string folder = scratch.folder + "\\Twice";
    REQUIRE(platform::createFolder(folder) == platform::kOk);
    setup.addConfiguration("Tiny", "[DIRECTORY]\r\n" + folder.substr(2) + "\r\n");

    const std::string found = e2e::detailLine("0017", folder);
    const std::string missing = e2e::detailLine("0018", folder);
    const testsupport::DriveOutcome run = testsupport::driveTarvex(startTo("frmAdvanced") + R"(
        click frmAdvanced.chkConfig2
        click frmAdvanced.chkConfig4
        answer Yes
        click frmAdvanced.cmdClean
        expect frmAdvanced.lstDetail.items ")" + found + R"("
        expect frmAdvanced.lstDetails.items ")" + missing + R"("
        click frmAdvanced.cmdClose
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK_FALSE(exists(folder));
}
