// The normal window's clean run driven end to end on a machine with a driver's leftovers: what
// goes, what stays, the detail lists, the log, the backup sets and the temporary files.
#include <doctest/doctest.h>

#include "e2e/CleanSetup.h"
#include "main/TarvexWindows.h"
#include "support/Drive.h"
#include "support/TestMachine.h"
#include "testkit/TemplateMachine.h"
#include "ui/App.h"
#include "ui/Form.h"
#include "ui/headless/Driver.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::detailLine;
using e2e::exists;
using e2e::fileLines;
using e2e::listNames;
using e2e::programPath;

// Found and missing lines of the shipped NVIDIA configuration on its planted Windows XP
// footprint: the XP driver's files and folders are found; the Windows 98/Me and Vista/7 files,
// the catalog, two of the four rollback folders and the other eras' folders are not.
constexpr int kNvidiaFound = 55;
constexpr int kNvidiaMissing = 43;
// Of the found lines, those of file entries: each gets one line in the file index.
constexpr int kNvidiaFoundFiles = 50;
// Where the nView language files' pattern stands among the found lines.
constexpr int kNvidiaPatternLine = 21;

// A configuration that names nothing the machine has.
const char* const kNothingConfiguration = "[FILES]\r\n\\TvxNoSuchFile.dll\r\n[DIRECTORY]\r\n"
                                          "\\TvxNoSuchFolder\r\n[REGISTRY.SECTION]\r\n"
                                          "HKEY_LOCAL_MACHINE\\SOFTWARE\\TvxNoSuchKey\r\n";

std::string systemFile(const std::string& name) {
    return GetSystemFolder() + "\\" + name;
}

// A folder on the root of the Windows drive.
std::string driveFolder(const std::string& relative) {
    return GetWindowsFolder().substr(0, 2) + "\\" + relative;
}

// The start up to the normal window, with NVIDIA chosen.
const char* const kStartAndChooseNvidia = R"(
    tick 2
    expect loaded frmMain
    select frmMain.cboConfigs NVIDIA
)";

// "dd-mm-yyyy_hhmmss": the backup stamp's form.
bool isStamp(const std::string& text) {
    const std::string form = "00-00-0000_000000";
    if (text.size() != form.size()) {
        return false;
    }
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '0' ? !std::isdigit(static_cast<unsigned char>(text[i]))
                           : text[i] != form[i]) {
            return false;
        }
    }
    return true;
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The run left nothing of its own behind: no decoded configuration, no companion file.
void checkNoTemporaryFiles(const std::string& configuration) {
    CHECK_FALSE(exists(GetWindowsFolder() + "\\xttxf.dll"));
    CHECK_FALSE(exists(programPath(configuration + ".txr")));
}

} // namespace

namespace {

// One installation: a shipped configuration and the footprint of its family on one Windows
// ("data/footprints/<footprint>.txt"), planted on a machine of that Windows' template.
struct Installation {
    const char* family;
    const char* machine;
    const char* footprint;
};

const Installation kInstallations[] = {
    {"NVIDIA", "xp-sp2", "NVIDIA"},
    {"ATI", "xp-sp2", "ATI"},
    {"Intel", "xp-sp2", "Intel"},
    {"Matrox", "xp-sp2", "Matrox"},
    {"S3", "xp-sp2", "S3"},
    {"SiS", "xp-sp2", "SiS"},
    {"3dfx", "xp-sp2", "3dfx"},
    {"Trident", "xp-sp2", "Trident"},
    {"NVIDIA", "win98-se", "win98-se/NVIDIA"},
    {"ATI", "win98-se", "win98-se/ATI"},
    {"3dfx", "win98-se", "win98-se/3dfx"},
    {"NVIDIA", "win2000-sp4", "win2000-sp4/NVIDIA"},
    {"ATI", "win2000-sp4", "win2000-sp4/ATI"},
    {"Intel", "win2000-sp4", "win2000-sp4/Intel"},
    {"Matrox", "win2000-sp4", "win2000-sp4/Matrox"},
    {"S3", "win2000-sp4", "win2000-sp4/S3"},
    {"SiS", "win2000-sp4", "win2000-sp4/SiS"},
    {"3dfx", "win2000-sp4", "win2000-sp4/3dfx"},
    {"Trident", "win2000-sp4", "win2000-sp4/Trident"},
    {"NVIDIA", "vista-sp2", "vista-sp2/NVIDIA"},
};

// The restore windows put back every set the clean made: folders before files, so that a file
// whose folder went with a directory entry finds its folder again; then the registry.
std::string restoreEverythingScript() {
    const bool files = !listNames(programPath("Backup\\*_FileBackup")).empty();
    const bool folders = !listNames(programPath("Backup\\*_DirBackup")).empty();
    const bool keys = !listNames(programPath("Backup\\*_RegBackup")).empty();
    std::string script = "tick 2\nexpect loaded frmMain\n";
    if (files || folders) {
        script += "key frmMain Ctrl+U\nexpect loaded frmRestore\n";
        if (folders) {
            script += "click frmRestore.cmdDSelectAll\nclick frmRestore.cmdDRestore\n";
        }
        if (files) {
            script += "click frmRestore.cmdFSelectAll\nclick frmRestore.cmdFRestore\n";
        }
        script += "click frmRestore.cmdClose\n";
    }
    if (keys) {
        script += "key frmMain Ctrl+Z\nexpect loaded frmRegRest\n"
                  "click frmRegRest.cmdRSelectAll\nclick frmRegRest.cmdRRestore\n"
                  "click frmRegRest.cmdClose\n";
    }
    return script + "click frmMain.cmdClose\nexpect ended\n";
}

} // namespace

// Wine runs every row on its one prefix, whatever Windows the footprint was written for: the
// folders come from the footprint's placeholders, so the lines still meet what was planted.
// Wine's video keys are volatile and take no planted subkeys; CleanSetup::plant leaves out what
// cannot be planted there, and only what was planted is checked.
TEST_CASE("every family's configuration removes exactly its driver installation on each Windows, "
          "and the restore windows put all of it back") {
    for (const Installation& installation : kInstallations) {
        CAPTURE(std::string(installation.family) + " on " + installation.machine);
        testkit::TemplateMachine machine(installation.machine);
        if (testsupport::onSimulatedMachine()) {
            REQUIRE_MESSAGE(machine.made(), machine.problem);
        }
        e2e::CleanSetup setup;
        setup.addShippedConfiguration(installation.family);
        e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "No");
        setup.plant(installation.footprint);

        const testsupport::DriveOutcome clean =
            testsupport::driveTarvex(std::string("tick 2\nexpect loaded frmMain\n"
                                                 "select frmMain.cboConfigs \"") +
                                     installation.family +
                                     "\"\nanswer Yes\nclick frmMain.cmdClean\n"
                                     "click frmMain.cmdClose\nexpect ended\n");
        INFO(clean.output);
        REQUIRE(clean.ok);
        CHECK(setup.leftovers(installation.footprint) == "");
        checkNoTemporaryFiles(installation.family);

        const testsupport::DriveOutcome restore =
            testsupport::driveTarvex(restoreEverythingScript());
        INFO(restore.output);
        REQUIRE(restore.ok);
        CHECK(setup.notRestored(installation.footprint, installation.family) == "");
    }
}

TEST_CASE("the normal window lists what it found and missed, and the log holds the found lines") {
    struct Row {
        const char* what;
        const char* logFile;
    };
    const Row rows[] = {{"with only the log on", "Yes"}, {"with everything off", "No"}};
    for (const Row& row : rows) {
        CAPTURE(std::string(row.what));
        e2e::CleanSetup setup;
        setup.addShippedConfiguration("NVIDIA");
        e2e::CleanSetup::setRunSettings("No", "No", "No", row.logFile);
        setup.plant("NVIDIA");
        // A set left by an earlier run with backups: only a run with a backup on may prune it.
        platform::createFolder(programPath("Backup"));
        const std::string earlierSet = programPath("Backup\\01-02-2020_101010_ATI_FileBackup");
        platform::createFolder(earlierSet);

        std::ostringstream script;
        script << kStartAndChooseNvidia << R"(
            answer Yes
            during expect frmMain.cmdClean.enabled false
            during expect frmMain.cmdClose.enabled false
            during expect frmMain.mnuToolsCab.enabled false
            during expect frmMain.lblStatus.caption "Cleaning, please wait..."
            click frmMain.cmdClean
            expect frmMain.lblStatus.caption "Cleaning finished."
            expect frmMain.cmdClean.enabled true
            expect frmMain.mnuFileExit.enabled true
        )";
        script << "expect frmMain.lstDetail.listcount " << kNvidiaFound << "\n";
        script << "expect frmMain.lstDetails.listcount " << kNvidiaMissing << "\n";
        script << "expect frmMain.lstDetail.item#0 \""
               << detailLine("0015", systemFile("nv4_disp.dll")) << "\"\n";
        // A wildcard entry is one line that shows the pattern.
        script << "expect frmMain.lstDetail.item#" << kNvidiaPatternLine << " \""
               << detailLine("0015", systemFile("nvwrs*.dll")) << "\"\n";
        script << "expect frmMain.lstDetail.item#" << kNvidiaFound - 1 << " \""
               << detailLine("0017", driveFolder("NVIDIA\\Win2KXP")) << "\"\n";
        script << "expect frmMain.lstDetails.item#0 \""
               << detailLine("0016", systemFile("nvoglv32.dll")) << "\"\n";
        script << "expect frmMain.lstDetails.item#" << kNvidiaMissing - 1 << " \""
               << detailLine("0018", driveFolder("ProgramData\\NVIDIA Corporation\\Drs")) << "\"\n";
        script << "click frmMain.cmdClose\nexpect ended\n";
        const testsupport::DriveOutcome run = testsupport::driveTarvex(script.str());
        INFO(run.output);
        REQUIRE(run.ok);

        checkNoTemporaryFiles("NVIDIA");
        // The read-only file was found (green line) but stays: Windows refuses to delete it.
        CHECK(exists(systemFile("nvapps.xml")));
        // Nothing is pruned without a backup on.
        CHECK(exists(earlierSet));

        const std::vector<std::string> logs = listNames(programPath("Log\\*.log"));
        if (std::string(row.logFile) == "No") {
            CHECK_FALSE(exists(programPath("Log")));
            continue;
        }
        REQUIRE(logs.size() == 1);
        const std::string& logName = logs[0];
        CHECK(isStamp(logName.substr(0, 17)));
        CHECK(logName.substr(17) == "_NVIDIA.log");
        const std::vector<std::string> log = fileLines(programPath("Log\\" + logName));
        REQUIRE(log.size() == 1 + kNvidiaFound);
        // The header holds the window's load date and time: the stamp's, written another way.
        const std::string stamp = logName.substr(0, 17);
        CHECK(log[0] == "-------- " + stamp.substr(0, 10) + " -- " + stamp.substr(11, 2) + ":" +
                            stamp.substr(13, 2) + ":" + stamp.substr(15, 2));
        CHECK(log[1] == detailLine("0015", systemFile("nv4_disp.dll")));
        CHECK(log[1 + kNvidiaPatternLine] == detailLine("0015", systemFile("nvwrs*.dll")));
        CHECK(log.back() == detailLine("0017", driveFolder("NVIDIA\\Win2KXP")));
    }
}

TEST_CASE("with every backup on, the sets hold the copies and their indexes; empty sets go") {
    e2e::CleanSetup setup;
    setup.addShippedConfiguration("NVIDIA");
    setup.addConfiguration("TvxNothing", kNothingConfiguration);
    e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "No");
    setup.plant("NVIDIA");

    const testsupport::DriveOutcome run =
        testsupport::driveTarvex(std::string(kStartAndChooseNvidia) + R"(
        answer Yes
        click frmMain.cmdClean
        select frmMain.cboConfigs TvxNothing
        answer Yes
        click frmMain.cmdClean
        expect frmMain.lstDetail.listcount 0
        expect frmMain.lstDetails.listcount 2
        click frmMain.cmdClose
    )");
    INFO(run.output);
    REQUIRE(run.ok);
    CHECK(setup.leftovers("NVIDIA") == "");
    checkNoTemporaryFiles("NVIDIA");
    checkNoTemporaryFiles("TvxNothing");

    // Only the NVIDIA sets are left: the nothing configuration's three empty sets were pruned.
    const std::vector<std::string> sets = listNames(programPath("Backup\\*"));
    REQUIRE(sets.size() == 3);
    const std::string stamp = sets[0].substr(0, 17);
    CHECK(isStamp(stamp));
    CHECK(sets == std::vector<std::string>{stamp + "_NVIDIA_DirBackup",
                                           stamp + "_NVIDIA_FileBackup",
                                           stamp + "_NVIDIA_RegBackup"});
    const std::string fileSet = programPath("Backup\\" + stamp + "_NVIDIA_FileBackup");
    const std::string dirSet = programPath("Backup\\" + stamp + "_NVIDIA_DirBackup");
    const std::string regSet = programPath("Backup\\" + stamp + "_NVIDIA_RegBackup");

    const std::vector<std::string> fileIndex =
        fileLines(fileSet + "\\" + stamp + "_NVIDIA_FileBackup.dfb");
    REQUIRE(fileIndex.size() == kNvidiaFoundFiles);
    CHECK(fileIndex[0] == "\\System\\nv4_disp.dll, " + GetSystemFolder());
    CHECK(exists(fileSet + "\\System\\nv4_disp.dll"));
    // A pattern's copies get a subfolder of their own: restoring it takes back only them. The
    // control panel's language files (nvrs*.dll) came first and took the second.
    CHECK(fileIndex[kNvidiaPatternLine] == "\\System (3)\\nvwrs*.dll, " + GetSystemFolder());
    for (const char* language : {"nvwrsen.dll", "nvwrsde.dll", "nvwrsfr.dll"}) {
        CAPTURE(language);
        CHECK(exists(fileSet + "\\System (3)\\" + language));
    }
    CHECK(fileIndex[1] == "\\Drivers\\nv4_mini.sys, " + GetSystemFolder() + "\\Drivers");
    CHECK(exists(fileSet + "\\Drivers\\nv4_mini.sys"));
    // The nview profiles come last; nview.dll of the system folder took the plain \nview.
    const std::string& profiles = fileIndex.back();
    const std::size_t star = profiles.find("\\*, ");
    REQUIRE(star != std::string::npos);
    CHECK(profiles.substr(star) == "\\*, " + GetWindowsFolder() + "\\nview");
    CHECK(exists(fileSet + profiles.substr(0, star) + "\\Gaming.tvp"));

    const std::vector<std::string> dirIndex =
        fileLines(dirSet + "\\" + stamp + "_NVIDIA_DirBackup.ddb");
    const std::string vendorFolder = GetProgramFilesFolder() + "\\NVIDIA Corporation";
    // nView's program folder meets the nview folder of the Windows folder (named as the entry
    // names it) under one name: its copy goes into a numbered subfolder.
    std::string dirLines;
    for (const std::string& line : dirIndex) {
        dirLines += line + "\n";
    }
    CHECK(dirLines == "nview, " + driveFolder("WINDOWS") + "\nControl Panel Client, " +
                          vendorFolder + "\n(2)\\nView, " + vendorFolder + "\nInstaller, " +
                          vendorFolder + "\nWin2KXP, " + driveFolder("NVIDIA") + "\n");
    CHECK(exists(dirSet + "\\Control Panel Client\\Help\\nvcpl.chm"));
    CHECK(exists(dirSet + "\\Installer\\setup.cfg"));

    const std::vector<std::string> regIndex =
        fileLines(regSet + "\\" + stamp + "_NVIDIA_RegBackup.drb");
    REQUIRE(regIndex.size() >= 2);
    CHECK(regIndex[0] ==
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak, NVTweak1.dat");
    CHECK(regIndex[1] ==
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\NVIDIA Corporation\\Global\\nView, nView2.dat");
    for (const std::string& line : regIndex) {
        CAPTURE(line);
        const std::string exportName = line.substr(line.rfind(", ") + 2);
        CHECK(exists(regSet + "\\" + exportName));
    }
    // The keys found by the search were exported before their removal as well (under the
    // name the registry reports, in its own case: key names are compared without regard to it).
    const std::string handlerKey =
        lowerCase("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls "
                  "Folder\\Display\\shellex\\PropertySheetHandlers\\NVIDIA CPL Extension, ");
    std::string allLines;
    for (const std::string& line : regIndex) {
        allLines += line + "\n";
    }
    INFO(allLines);
    CHECK(std::any_of(regIndex.begin(), regIndex.end(), [&handlerKey](const std::string& line) {
        return lowerCase(line).rfind(handlerKey, 0) == 0;
    }));
}

namespace {

// A small window for the driven test to plant the footprint again between two runs, as a
// driver update would leave it once more.
class FrmReplant : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmReplant";
    static e2e::CleanSetup* setup;

    explicit FrmReplant(ui::App& app) : ui::Form(app, kFormName), cmdPlant(*this, "cmdPlant") {
        cmdPlant.onClick = [] { setup->plant("NVIDIA"); };
    }
    ui::Button cmdPlant;
};

e2e::CleanSetup* FrmReplant::setup = nullptr;

} // namespace

TEST_CASE("two runs from one window keep both runs' copies under the same stamp") {
    e2e::CleanSetup setup;
    setup.addShippedConfiguration("NVIDIA");
    e2e::CleanSetup::setRunSettings("Yes", "Yes", "Yes", "Yes");
    setup.plant("NVIDIA");
    FrmReplant::setup = &setup;

    std::ostringstream out;
    const bool ok = ui::headless::runScript(
        std::string(kStartAndChooseNvidia) + R"(
            answer Yes
            click frmMain.cmdClean
            show frmReplant
            click frmReplant.cmdPlant
            close frmReplant
            answer Yes
            click frmMain.cmdClean
            click frmMain.cmdClose
            expect ended
        )",
        [](ui::App& app) {
            app.registerForm<FrmReplant>();
            RunTarvex(app);
        },
        out);
    FrmReplant::setup = nullptr;
    INFO(out.str());
    REQUIRE(ok);
    CHECK(setup.leftovers("NVIDIA") == "");

    const std::vector<std::string> sets = listNames(programPath("Backup\\*"));
    REQUIRE(sets.size() == 3);
    const std::string stamp = sets[0].substr(0, 17);
    const std::string fileSet = programPath("Backup\\" + stamp + "_NVIDIA_FileBackup");
    const std::string regSet = programPath("Backup\\" + stamp + "_NVIDIA_RegBackup");

    // The second run's copy of a file goes beside the first, which stays as it was.
    const std::vector<std::string> fileIndex =
        fileLines(fileSet + "\\" + stamp + "_NVIDIA_FileBackup.dfb");
    REQUIRE(fileIndex.size() == 2 * kNvidiaFoundFiles);
    // Every line of the second run names a copy of its own: no two lines share a place.
    std::vector<std::string> places;
    for (const std::string& line : fileIndex) {
        places.push_back(line.substr(0, line.rfind(", ")));
    }
    std::sort(places.begin(), places.end());
    CHECK(std::adjacent_find(places.begin(), places.end()) == places.end());
    const std::string firstCopy =
        places.empty() ? "" : fileIndex[0].substr(0, fileIndex[0].rfind(", "));
    const std::string secondCopy =
        fileIndex[kNvidiaFoundFiles].substr(0, fileIndex[kNvidiaFoundFiles].rfind(", "));
    CHECK(firstCopy == "\\System\\nv4_disp.dll");
    CHECK(secondCopy.rfind("\\System (", 0) == 0);
    CHECK(fileIndex[kNvidiaFoundFiles].substr(secondCopy.size()) == ", " + GetSystemFolder());
    CHECK(exists(fileSet + firstCopy));
    CHECK(exists(fileSet + secondCopy));

    // The registry counter starts again at 1, but the second export gets a name of its own.
    const std::vector<std::string> regIndex =
        fileLines(regSet + "\\" + stamp + "_NVIDIA_RegBackup.drb");
    std::vector<std::string> vendorExports;
    for (const std::string& line : regIndex) {
        if (line.rfind("HKEY_LOCAL_MACHINE\\SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak, ", 0) ==
            0) {
            vendorExports.push_back(line.substr(line.rfind(", ") + 2));
        }
    }
    CHECK(vendorExports == std::vector<std::string>{"NVTweak1.dat", "NVTweak1 (2).dat"});
    for (const std::string& name : vendorExports) {
        CAPTURE(name);
        CHECK(exists(regSet + "\\" + name));
    }

    // Both records go to one log file, with the same header.
    const std::vector<std::string> log = fileLines(programPath("Log\\" + stamp + "_NVIDIA.log"));
    REQUIRE(log.size() == 2 * (1 + kNvidiaFound));
    CHECK(log[0] == log[1 + kNvidiaFound]);
}
