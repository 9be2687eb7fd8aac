// The registry restore window: exports made by the registry backup go back into the registry
// through the registry editor, and the set shrinks with them.
#include "backup/BackupWindows.h"

#include "backup/Backup.h"
#include "backup/FrmRegRest.h"
#include "platform/Process.h"

#ifndef _WIN32
#include "platform/sim/Machine.h"
#include "platform/sim/SimMachine.h"
#endif

#include <string>
#include <vector>

using namespace backuptest;

namespace {

const char kStamp[] = "07-12-2026_101530";
// Spaces in the name: the set folder and the export paths hold them.
const char kConfiguration[] = "Tvx Reg Test";

std::string regSetName() {
    return std::string(kStamp) + "_" + kConfiguration + "_RegBackup";
}

Set regSet() {
    const std::string name = regSetName();
    return {name, backupFolder() + "\\" + name,
            backupFolder() + "\\" + name + "\\" + name + ".drb"};
}

// Backs up each of `keys` (below the scratch key) with the registry backup, one counter each,
// then deletes them: the state a clean run with the registry backup on leaves.
void backUpAndDelete(const std::string& scratchKey, const std::vector<std::string>& keys) {
    PrepareBackupFolders(kStamp, kConfiguration, "No", "No", "Yes", "No");
    int counter = 0;
    for (const std::string& key : keys) {
        REQUIRE(RegBackup(std::to_string(++counter), kConfiguration, kStamp,
                          scratchKey + "\\" + key, "HKEY_CURRENT_USER",
                          platform::kHkeyCurrentUser));
        removeKey(scratchKey + "\\" + key);
        REQUIRE_FALSE(keyExists(scratchKey + "\\" + key));
    }
}

// Makes the registry editor impossible to start while it lives.
class EditorMissing {
  public:
    EditorMissing() {
#ifdef _WIN32
        // The folder of the program is searched first for a program named without a folder,
        // and an empty file there is no program at all.
        put(path, "");
#else
        REQUIRE(sim::setSetting("Programs", "regedit", ""));
#endif
        // Proof that the trick works here: a start fails (a silent import of nothing otherwise).
        CHECK(platform::startAndWait("regedit /s \"" + platform::programFolder() + "\\none.reg\"",
                                     platform::kShowHidden) != platform::kOk);
    }
    ~EditorMissing() {
#ifdef _WIN32
        platform::deleteFile(path);
#else
        sim::setSetting("Programs", "regedit", saved);
#endif
    }
    EditorMissing(const EditorMissing&) = delete;
    EditorMissing& operator=(const EditorMissing&) = delete;

  private:
#ifdef _WIN32
    std::string path = platform::programFolder() + "\\Regedit.exe";
#else
    std::string saved = sim::Machine::current().setting("Programs", "regedit");
#endif
};

} // namespace

TEST_CASE("the registry restore window lists only registry sets, by the exact end of the name") {
    Windows windows;
    for (const char* name : {"01-01-2026_000000_A_RegBackup", "01-01-2026_000000_A_FileBackup",
                             "01-01-2026_000000_B_regbackup", "01-01-2026_000000_C_RegBackup"}) {
        makeFolders(backupFolder() + "\\" + name);
    }
    FrmRegRest& form = windows.open<FrmRegRest>();
    CHECK(form.cboResReg.items() == std::vector<std::string>{"01-01-2026_000000_A_RegBackup",
                                                             "01-01-2026_000000_C_RegBackup"});
    CHECK(form.cboResReg.listIndex() == 0);
    CHECK(form.cmdRRestore.enabled);
}

TEST_CASE("without a registry set the lists and their commands are disabled") {
    Windows windows;
    makeFolders(backupFolder() + "\\01-01-2026_000000_A_FileBackup");
    FrmRegRest& form = windows.open<FrmRegRest>();
    for (ui::Control* control :
         std::vector<ui::Control*>{&form.cboResReg, &form.cmdRRestore, &form.lstResReg,
                                   &form.cmdRSelectAll, &form.cmdRSelectNon}) {
        CHECK_FALSE_MESSAGE(control->enabled, control->name);
    }
    CHECK(form.lstResReg.listCount() == 0);
    CHECK(form.cmdClose.enabled);
}

TEST_CASE("restoring two of five keys imports them and leaves the other three in order") {
    Windows windows;
    const std::string base = windows.scratch.regKey;
    const std::vector<std::string> keys = {"Vendor A\\Global", "Vendor B\\Global",
                                           "Vendor C\\Global", "Vendor D\\Global",
                                           "Vendor E\\Global"};
    for (const std::string& key : keys) {
        setString(base + "\\" + key, "Name", key);
        setString(base + "\\" + key + "\\Sub key", "", "below " + key);
    }
    backUpAndDelete(base, keys);
    const Set set = regSet();
    const std::string before = bytesOf(set.index);

    FrmRegRest& form = windows.open<FrmRegRest>();
    REQUIRE(form.lstResReg.listCount() == 5);
    CHECK(form.lstResReg.item(0) ==
          "HKEY_CURRENT_USER\\" + base + "\\" + keys[0] + ", Global1.dat");
    selectOnly(form.lstResReg, {1, 3});
    clickOn(form.cmdRRestore);

    for (int i : {1, 3}) {
        CHECK(stringOf(base + "\\" + keys[i], "Name") == keys[i]);
        CHECK(stringOf(base + "\\" + keys[i] + "\\Sub key", "") == "below " + keys[i]);
    }
    for (int i : {0, 2, 4}) {
        CHECK_FALSE(keyExists(base + "\\" + keys[i]));
    }
    CHECK_FALSE(exists(set.folder + "\\Global2.dat"));
    CHECK_FALSE(exists(set.folder + "\\Global4.dat"));
    for (const char* kept : {"Global1.dat", "Global3.dat", "Global5.dat"}) {
        CHECK(exists(set.folder + "\\" + kept));
    }
    const std::string prefix = "HKEY_CURRENT_USER\\" + base + "\\";
    const std::vector<std::string> left = {prefix + keys[0] + ", Global1.dat",
                                           prefix + keys[2] + ", Global3.dat",
                                           prefix + keys[4] + ", Global5.dat"};
    CHECK(bytesOf(set.index) == indexText(left));
    CHECK(form.lstResReg.items() == left);
    CHECK(form.LstResReg2.items() == left);
    CHECK(before != bytesOf(set.index));

    SUBCASE("then the other three: index, exports and set folder go") {
        clickOn(form.cmdRSelectAll);
        clickOn(form.cmdRRestore);
        for (const std::string& key : keys) {
            CHECK(stringOf(base + "\\" + key, "Name") == key);
        }
        CHECK_FALSE(exists(set.folder));
        CHECK(form.cboResReg.listCount() == 0);
        CHECK(form.cmdRRestore.enabled);
        CHECK(form.cmdClose.enabled);
    }
    SUBCASE("restoring nothing leaves the index as it was") {
        const std::string now = bytesOf(set.index);
        clickOn(form.cmdRSelectNon);
        clickOn(form.cmdRRestore);
        CHECK(bytesOf(set.index) == now);
    }
}

TEST_CASE("a set that still holds a file after its last line stays; a missing export's line goes") {
    Windows windows;
    const Set set = makeSet(regSetName(), ".drb", {"HKEY_CURRENT_USER\\Software\\X, X1.dat"});
    put(set.folder + "\\stray.txt", "stray");
    FrmRegRest& form = windows.open<FrmRegRest>();
    clickOn(form.cmdRSelectAll);
    clickOn(form.cmdRRestore);
    CHECK_FALSE(exists(set.index));
    CHECK(bytesOf(set.folder + "\\stray.txt") == "stray");
    CHECK(form.cboResReg.items() == std::vector<std::string>{regSetName()});
}

TEST_CASE("an editor that cannot start keeps the export and its line; odd lines stay untouched") {
    Windows windows;
    const std::string base = windows.scratch.regKey;
    setString(base + "\\Vendor\\Global", "Name", "kept");
    backUpAndDelete(base, {"Vendor\\Global"});
    const Set set = regSet();
    const std::string exportLine = "HKEY_CURRENT_USER\\" + base + "\\Vendor\\Global, Global1.dat";
    put(set.index, indexText({exportLine, "no comma in this line",
                              "HKEY_CURRENT_USER\\Y, ..\\Y.dat", "HKEY_CURRENT_USER\\Z, "}));
    put(backupFolder() + "\\Y.dat", "outside the set");
    const std::string exportBytes = bytesOf(set.folder + "\\Global1.dat");
    {
        EditorMissing missing;
        FrmRegRest& form = windows.open<FrmRegRest>();
        clickOn(form.cmdRSelectAll);
        clickOn(form.cmdRRestore);
    }
    CHECK(bytesOf(set.folder + "\\Global1.dat") == exportBytes);
    CHECK(bytesOf(backupFolder() + "\\Y.dat") == "outside the set");
    CHECK_FALSE(keyExists(base + "\\Vendor\\Global"));
    CHECK(bytesOf(set.index) ==
          indexText({exportLine, "no comma in this line", "HKEY_CURRENT_USER\\Y, ..\\Y.dat",
                     "HKEY_CURRENT_USER\\Z, "}));

    // With the editor back the same line restores.
    FrmRegRest& form = windows.open<FrmRegRest>();
    selectOnly(form.lstResReg, {0});
    clickOn(form.cmdRRestore);
    CHECK(stringOf(base + "\\Vendor\\Global", "Name") == "kept");
    CHECK_FALSE(exists(set.folder + "\\Global1.dat"));
}
