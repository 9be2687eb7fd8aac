// The command-line cleaner: its arguments, its preview, a clean with each backup kind and the
// restore of each set, the log and sets the windows read, and every exit code.
#include <doctest/doctest.h>

#include "command/Arguments.h"
#include "command/TarvexCmd.h"
#include "e2e/CleanSetup.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "support/Drive.h"
#include "support/TestMachine.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::detailLine;
using e2e::exists;
using e2e::fileLines;
using e2e::listNames;
using e2e::programPath;

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = RunTarvexCmd(args, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// A vendor's file, folder, key and value, and the configuration "TvxCmd" naming all four.
struct Vendor {
    explicit Vendor(e2e::CleanSetup& setup) {
        file = GetWindowsFolder() + "\\TvxCmd.dll";
        folder = scratch.folder + "\\Vendor";
        key = scratch.regKey + "\\Vendor Corp";
        const std::string keys = "HKEY_CURRENT_USER\\" + scratch.regKey;
        setup.addConfiguration("TvxCmd", "[FILES]\r\n\\TvxCmd.dll\r\n[DIRECTORY]\r\n" +
                                             folder.substr(2) + "\r\n[REGISTRY.SECTION]\r\n" +
                                             keys + "\\Vendor Corp\r\n[REGISTRY.VALUE]\r\n" + keys +
                                             "\\Run\\Tray\r\n");
        plant();
    }
    ~Vendor() { platform::deleteFile(file); }

    void plant() {
        REQUIRE(platform::writeFile(file, "driver") == platform::kOk);
        platform::createFolder(folder);
        REQUIRE(platform::writeFile(folder + "\\tool.exe", "tool") == platform::kOk);
        platform::OpenKey created;
        REQUIRE(created.create(platform::kHkeyCurrentUser, key + "\\Global") == platform::kOk);
        REQUIRE(created.create(platform::kHkeyCurrentUser, scratch.regKey + "\\Run") ==
                platform::kOk);
        REQUIRE(platform::regSetValue(created.get(), "Tray", platform::kRegSz,
                                      std::string("tray.exe") + '\0') == platform::kOk);
    }

    // Which of file, folder, key and value are there, as four letters (lower case: gone).
    std::string present() const {
        platform::OpenKey opened;
        const bool keyThere = opened.open(platform::kHkeyCurrentUser, key + "\\Global",
                                          platform::RegAccess::Read) == platform::kOk;
        std::uint32_t type = 0;
        std::string data;
        const bool valueThere =
            opened.open(platform::kHkeyCurrentUser, scratch.regKey + "\\Run",
                        platform::RegAccess::Read) == platform::kOk &&
            platform::regQueryValue(opened.get(), "Tray", type, data) == platform::kOk;
        return std::string(exists(file) ? "F" : "f") + (exists(folder + "\\tool.exe") ? "D" : "d") +
               (keyThere ? "K" : "k") + (valueThere ? "V" : "v");
    }

    testsupport::ScratchArea scratch;
    std::string file;
    std::string folder;
    std::string key;
};

} // namespace

TEST_CASE("the command line is read strictly: one command, its names, the clean's choices") {
    struct Row {
        std::vector<std::string> args;
        bool ok;
        CommandLine::Action action;
        std::vector<std::string> names;
        const char* backups; // files, folders, registry as "FDR"/"fdr"; "" unset
        const char* log;     // "yes", "no", "" unset
    };
    using A = CommandLine::Action;
    const Row rows[] = {
        {{"/?"}, true, A::Usage, {}, "", ""},
        {{"-LIST"}, true, A::List, {}, "", ""},
        {{"/preview", "NVIDIA", "ATI"}, true, A::Preview, {"NVIDIA", "ATI"}, "", ""},
        {{"NVIDIA", "/Clean", "/backup:Files,registry", "/log:YES"},
         true,
         A::Clean,
         {"NVIDIA"},
         "FdR",
         "yes"},
        {{"/clean", "S3", "/backup:all", "/log:no"}, true, A::Clean, {"S3"}, "FDR", "no"},
        {{"/clean", "S3", "/backup:none"}, true, A::Clean, {"S3"}, "fdr", ""},
        {{"/sets"}, true, A::Sets, {}, "", ""},
        {{"/restore", "01-02-2020_101010_ATI_FileBackup"},
         true,
         A::Restore,
         {"01-02-2020_101010_ATI_FileBackup"},
         "",
         ""},
        {{}, false, A::Usage, {}, "", ""},
        {{"NVIDIA"}, false, A::Usage, {}, "", ""},
        {{"/list", "/sets"}, false, A::Usage, {}, "", ""},
        {{"/clean"}, false, A::Usage, {}, "", ""},
        {{"/preview", "/backup:files"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/backup:files,files"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/backup:"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/backup:tape"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/backup"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/log:maybe"}, false, A::Usage, {}, "", ""},
        {{"/clean", "S3", "/log:yes", "/log:no"}, false, A::Usage, {}, "", ""},
        {{"/clean", "..\\..\\Windows"}, false, A::Usage, {}, "", ""},
        {{"/clean", "C:x"}, false, A::Usage, {}, "", ""},
        {{"/restore"}, false, A::Usage, {}, "", ""},
        {{"/restore", "a", "b"}, false, A::Usage, {}, "", ""},
        {{"/list", "x"}, false, A::Usage, {}, "", ""},
        {{"/frobnicate"}, false, A::Usage, {}, "", ""},
        {{"/list:x"}, false, A::Usage, {}, "", ""},
    };
    for (const Row& row : rows) {
        std::string joined;
        for (const std::string& arg : row.args) {
            joined += arg + " ";
        }
        CAPTURE(joined);
        CommandLine command;
        std::string error;
        REQUIRE(ParseCommandLine(row.args, command, error) == row.ok);
        if (!row.ok) {
            CHECK_FALSE(error.empty());
            continue;
        }
        CHECK(command.action == row.action);
        CHECK(command.names == row.names);
        std::string backups;
        if (command.backupFiles) {
            backups = std::string(*command.backupFiles ? "F" : "f") +
                      (*command.backupDir ? "D" : "d") + (*command.backupReg ? "R" : "r");
        }
        CHECK(backups == row.backups);
        CHECK(std::string(command.log ? (*command.log ? "yes" : "no") : "") == row.log);
    }
}

TEST_CASE("usage, bad arguments and unknown names change nothing") {
    e2e::CleanSetup setup;
    Vendor vendor(setup);
    // A configuration file that cannot be decoded is no configuration to clean.
    setup.addConfiguration("TvxBroken", "");
    REQUIRE(platform::writeFile(programPath("TvxBroken.txf"), "damaged") == platform::kOk);

    const Outcome usage = run({"/?"});
    CHECK(usage.code == kExitCleaned);
    CHECK(usage.out.find("Exit codes") != std::string::npos);
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"/clean"},
        {"/clean", "TvxNoSuch"},
        {"/clean", "TvxCmd", "TvxBroken"},
        {"/preview", "TvxNoSuch"},
        {"/restore", "01-01-2020_000000_TvxCmd_FileBackup"},
        {"/clean", "TvxCmd", "/backup:tape"},
    };
    for (const std::vector<std::string>& args : bad) {
        const Outcome outcome = run(args);
        CAPTURE(outcome.err);
        CHECK(outcome.code == kExitBadArguments);
        CHECK(outcome.out.empty());
        CHECK(outcome.err.rfind("TarvexCmd: ", 0) == 0);
    }
    CHECK(vendor.present() == "FDKV");
    CHECK_FALSE(exists(programPath("Backup")));
    CHECK_FALSE(exists(programPath("Log")));
    CHECK_FALSE(exists(programPath("English.dlf")));
    CHECK_FALSE(exists(GetWindowsFolder() + "\\xttxf.dll"));
}

TEST_CASE("a clean with each backup kind, and each set restored from the command line") {
    struct Row {
        const char* backup;
        const char* setEnd;
        const char* kind;
        std::size_t lines;
        const char* restored; // what is back after the restore
    };
    const Row rows[] = {
        {"files", "_FileBackup", "files", 1, "Fdkv"},
        {"folders", "_DirBackup", "folders", 1, "fDkv"},
        {"registry", "_RegBackup", "registry", 2, "fdKV"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.backup);
        e2e::CleanSetup setup;
        Vendor vendor(setup);
        const Outcome cleaned = run({"/clean", "tvxcmd", std::string("/backup:") + row.backup});
        INFO(cleaned.out << cleaned.err);
        CHECK(cleaned.code == kExitCleaned);
        CHECK(vendor.present() == "fdkv");
        // One line per item, the configuration as the program folder spells it.
        const std::vector<std::string> lines = linesOf(cleaned.out);
        REQUIRE(lines.size() == 4);
        CHECK(fieldsOf(lines[0]) ==
              std::vector<std::string>{"TvxCmd", "removed", "file", "6", "-", vendor.file});
        CHECK(fieldsOf(lines[1]) ==
              std::vector<std::string>{"TvxCmd", "removed", "folder", "4", "1", vendor.folder});
        CHECK(fieldsOf(lines[2])[2] == "key");
        CHECK(fieldsOf(lines[2])[4] == "1");
        CHECK(fieldsOf(lines[3])[2] == "value");

        const std::vector<std::string> sets = linesOf(run({"/sets"}).out);
        REQUIRE(sets.size() == 1);
        const std::vector<std::string> set = fieldsOf(sets[0]);
        CHECK(set[0].size() > std::string(row.setEnd).size());
        CHECK(set[0].find(std::string("_TvxCmd") + row.setEnd) == 17);
        CHECK(set[1] == row.kind);
        CHECK(set[2] == std::to_string(row.lines));

        const Outcome restored = run({"/restore", set[0]});
        INFO(restored.out << restored.err);
        CHECK(restored.code == kExitCleaned);
        CHECK(linesOf(restored.out).size() == row.lines);
        CHECK(vendor.present() == row.restored);
        // The emptied set went, as the restore window removes it.
        CHECK(run({"/sets"}).out.empty());
    }
}

TEST_CASE("a scripted clean writes the window's log and sets, and the restore windows undo it") {
    e2e::CleanSetup setup;
    Vendor vendor(setup);
    const Outcome cleaned = run({"/clean", "TvxCmd", "/backup:all", "/log:yes"});
    INFO(cleaned.out << cleaned.err);
    REQUIRE(cleaned.code == kExitCleaned);
    const std::vector<std::string> logs = listNames(programPath("Log\\*"));
    REQUIRE(logs.size() == 1);
    CHECK(logs[0].substr(17) == "_TvxCmd.log");
    const std::vector<std::string> record = fileLines(programPath("Log\\" + logs[0]));
    REQUIRE(record.size() == 3);
    const std::string stamp = logs[0].substr(0, 17);
    CHECK(record[0] == "-------- " + stamp.substr(0, 10) + " -- " + stamp.substr(11, 2) + ":" +
                           stamp.substr(13, 2) + ":" + stamp.substr(15, 2));
    CHECK(record[1] == detailLine("0015", vendor.file));
    CHECK(record[2] == detailLine("0017", vendor.folder));
    // The language file was decoded for the log's words only.
    CHECK_FALSE(exists(programPath("English.dlf")));

    const testsupport::DriveOutcome restore = testsupport::driveTarvex(R"(
        tick 2
        expect loaded frmMain
        key frmMain Ctrl+U
        click frmRestore.cmdDSelectAll
        click frmRestore.cmdDRestore
        click frmRestore.cmdFSelectAll
        click frmRestore.cmdFRestore
        click frmRestore.cmdClose
        key frmMain Ctrl+Z
        expect frmRegRest.lstResReg.listcount 2
        click frmRegRest.cmdRSelectAll
        click frmRegRest.cmdRRestore
        click frmRegRest.cmdClose
        click frmMain.cmdClose
        expect ended
    )");
    INFO(restore.output);
    REQUIRE(restore.ok);
    CHECK(vendor.present() == "FDKV");
    CHECK(listNames(programPath("Backup\\*")).empty());
}

TEST_CASE("exit codes: nothing to clean, items kept, a failed backup, another Tarvex") {
    e2e::CleanSetup setup;
    Vendor vendor(setup);
    setup.addShippedConfiguration("NVIDIA");

    SUBCASE("a read-only file a file line cannot delete: 1, and the line says so") {
        setup.plant("NVIDIA");
        const Outcome cleaned = run({"/clean", "NVIDIA", "/log:no", "/backup:none"});
        CHECK(cleaned.code == kExitNotRemoved);
        const std::string kept = "NVIDIA\tnot-removed\tfile\t";
        const std::size_t at = cleaned.out.find(kept);
        REQUIRE(at != std::string::npos);
        CHECK(cleaned.out.find("\\nvapps.xml\n", at) != std::string::npos);
        CHECK(setup.leftovers("NVIDIA") == "");
        // Cleaned again: nothing left to find, nothing to complain about.
        const Outcome again = run({"/clean", "NVIDIA", "/backup:none"});
        CHECK(again.code == kExitNotRemoved); // the read-only file is found again and stays
        CHECK(vendor.present() == "FDKV");
    }
    SUBCASE("nothing there to clean: 0 and no lines") {
        REQUIRE(run({"/clean", "TvxCmd", "/backup:none"}).code == kExitCleaned);
        const Outcome again = run({"/clean", "TvxCmd", "/backup:none", "/log:no"});
        CHECK(again.code == kExitCleaned);
        CHECK(again.out.empty());
    }
    SUBCASE("a backup that cannot be made: 4, and the items stay") {
        // A file where the backup folder should be: no set folder can be made below it.
        REQUIRE(platform::writeFile(programPath("Backup"), "in the way") == platform::kOk);
        const Outcome cleaned = run({"/clean", "TvxCmd", "/backup:all"});
        CHECK(cleaned.code == kExitBackupFailed);
        CHECK(vendor.present() == "FDKV");
        CHECK(linesOf(cleaned.out).size() == 4);
        for (const std::string& line : linesOf(cleaned.out)) {
            CHECK(fieldsOf(line)[1] == "backup-failed");
        }
        platform::deleteFile(programPath("Backup"));
    }
    SUBCASE("another Tarvex running: 3, and nothing changes") {
        // This process holds Tarvex's name (a window test may have claimed it already).
        platform::anotherInstanceRunning("Tarvex");
        std::uint32_t code = 99;
        REQUIRE(platform::startAndWait(testsupport::toolCommand("TarvexCmd") + " /clean TvxCmd",
                                       platform::kShowHidden, &code) == platform::kOk);
        CHECK(code == static_cast<std::uint32_t>(kExitRunning));
        CHECK(vendor.present() == "FDKV");
    }
}

TEST_CASE("the preview prints the list of the preview window, the same each time, and cleans "
          "nothing") {
    e2e::CleanSetup setup;
    Vendor vendor(setup);
    setup.addShippedConfiguration("NVIDIA");
    setup.plant("NVIDIA");
    const Outcome first = run({"/preview", "TvxCmd", "NVIDIA"});
    REQUIRE(first.code == kExitCleaned);
    const Outcome second = run({"/preview", "TvxCmd", "NVIDIA"});
    CHECK(second.out == first.out);
    const std::vector<std::string> lines = linesOf(first.out);
    REQUIRE(lines.size() > 4);
    CHECK(fieldsOf(lines[0]) ==
          std::vector<std::string>{"TvxCmd", "remove", "file", "6", "-", vendor.file});
    std::size_t nvidia = 0;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = fieldsOf(line);
        REQUIRE(fields.size() == 6);
        nvidia += fields[0] == "NVIDIA" ? 1 : 0;
    }
    CHECK(nvidia == lines.size() - 4);
    CHECK(vendor.present() == "FDKV");
    CHECK(setup.leftovers("NVIDIA") != "");
    CHECK_FALSE(exists(programPath("NVIDIA.txr")));
}
