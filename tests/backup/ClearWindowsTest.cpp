// The windows that clear backup sets and clean logs: what each lists and exactly what a delete
// removes.
#include "backup/BackupWindows.h"

#include "backup/FrmClearB.h"
#include "backup/FrmClearL.h"
#include "backup/FrmClearR.h"

#include <string>
#include <vector>

using namespace backuptest;

namespace {

const char kFiles[] = "05-12-2026_204851_NVIDIA_FileBackup";
const char kDirs[] = "05-12-2026_204851_NVIDIA_DirBackup";
const char kRegs[] = "05-12-2026_204851_NVIDIA_RegBackup";

// A set with something in it, so a delete has a tree to remove.
void makeFullSet(const std::string& name) {
    put(backupFolder() + "\\" + name + "\\" + name + ".idx", "line\r\n");
    put(backupFolder() + "\\" + name + "\\Deep\\Tree\\file.bin", "x", platform::kAttrReadOnly);
}

// The five controls of a clearing window, in the order the window disables them.
template <class F> std::vector<ui::Control*> commands(F& form, ui::ListBox& list) {
    return {&form.cmdClose, &form.cmdDelete, &form.cmdSelectNon, &form.cmdSelectAll, &list};
}

} // namespace

TEST_CASE("the backup sets split between the two clearing windows by the end of their names") {
    Windows windows;
    for (const char* name : {kFiles, kDirs, kRegs, "05-12-2026_204851_X_Filebackup"}) {
        makeFullSet(name);
    }
    FrmClearB& files = windows.open<FrmClearB>();
    CHECK(files.lstBackup.items() == std::vector<std::string>{kDirs, kFiles});
    CHECK(files.lstBackup.listIndex() == 0);
    FrmClearR& registry = windows.open<FrmClearR>();
    CHECK(registry.lstRegBackup.items() == std::vector<std::string>{kRegs});
}

TEST_CASE("deleting two of three sets removes exactly those, whole; one entry is left current") {
    Windows windows;
    const std::string other = "06-12-2026_090000_ATI_FileBackup";
    for (const std::string& name : {std::string(kFiles), std::string(kDirs), other}) {
        makeFullSet(name);
    }
    put(backupFolder() + "\\notes.txt", "not a set");
    FrmClearB& form = windows.open<FrmClearB>();
    REQUIRE(form.lstBackup.items() == std::vector<std::string>{kDirs, kFiles, other});
    selectOnly(form.lstBackup, {0, 2});
    clickOn(form.cmdDelete);

    CHECK_FALSE(exists(backupFolder() + "\\" + kDirs));
    CHECK_FALSE(exists(backupFolder() + "\\" + other));
    CHECK(bytesOf(backupFolder() + "\\" + kFiles + "\\Deep\\Tree\\file.bin") == "x");
    CHECK(bytesOf(backupFolder() + "\\notes.txt") == "not a set");
    CHECK(form.lstBackup.items() == std::vector<std::string>{kFiles});
    CHECK(form.lstBackup.listIndex() == 0);
    for (ui::Control* control : commands(form, form.lstBackup)) {
        CHECK_MESSAGE(control->enabled, control->name);
    }
}

TEST_CASE("deleting the last registry set leaves an empty list with every command usable") {
    Windows windows;
    makeFullSet(kRegs);
    makeFullSet(kFiles);
    FrmClearR& form = windows.open<FrmClearR>();
    clickOn(form.cmdSelectAll);
    clickOn(form.cmdDelete);
    CHECK_FALSE(exists(backupFolder() + "\\" + kRegs));
    CHECK(exists(backupFolder() + "\\" + kFiles + "\\" + kFiles + ".idx"));
    CHECK(form.lstRegBackup.listCount() == 0);
    for (ui::Control* control : commands(form, form.lstRegBackup)) {
        CHECK_MESSAGE(control->enabled, control->name);
    }
}

TEST_CASE("a file named like a set is listed, and a delete leaves it and lists it again") {
    Windows windows;
    put(backupFolder() + "\\Look-alike FileBackup", "a file, not a set");
    FrmClearB& form = windows.open<FrmClearB>();
    REQUIRE(form.lstBackup.items() == std::vector<std::string>{"Look-alike FileBackup"});
    clickOn(form.cmdSelectAll);
    clickOn(form.cmdDelete);
    CHECK(bytesOf(backupFolder() + "\\Look-alike FileBackup") == "a file, not a set");
    CHECK(form.lstBackup.items() == std::vector<std::string>{"Look-alike FileBackup"});
}

TEST_CASE("a set that cannot be deleted stays listed") {
    Windows windows;
    makeFullSet(kFiles);
    const std::string held = backupFolder() + "\\" + kFiles + "\\" + kFiles + ".idx";
    testsupport::HoldOpen open(held);
    REQUIRE(open.held());
    FrmClearB& form = windows.open<FrmClearB>();
    clickOn(form.cmdSelectAll);
    clickOn(form.cmdDelete);
    CHECK(exists(held));
    CHECK(form.lstBackup.items() == std::vector<std::string>{kFiles});
}

TEST_CASE("the log window lists plain .log files without their extension and deletes those") {
    Windows windows;
    put(logFolder() + "\\a.log", "log a");
    put(logFolder() + "\\b.txt", "not a log");
    put(logFolder() + "\\NVIDIA.v2.log", "dotted");
    put(logFolder() + "\\hidden.log", "hidden", platform::kAttrHidden);
    makeFolders(logFolder() + "\\folder.log");
    FrmClearL& form = windows.open<FrmClearL>();
    CHECK(form.lstLog.items() == std::vector<std::string>{"a", "NVIDIA.v2"});
    selectOnly(form.lstLog, {1});
    clickOn(form.cmdDelete);
    CHECK_FALSE(exists(logFolder() + "\\NVIDIA.v2.log"));
    CHECK(bytesOf(logFolder() + "\\a.log") == "log a");
    CHECK(bytesOf(logFolder() + "\\b.txt") == "not a log");
    CHECK(exists(logFolder() + "\\hidden.log"));
    CHECK(exists(logFolder() + "\\folder.log"));
    CHECK(form.lstLog.items() == std::vector<std::string>{"a"});
}

TEST_CASE("with nothing to list only Close is usable in each clearing window") {
    Windows windows;
    FrmClearB& files = windows.open<FrmClearB>();
    FrmClearR& registry = windows.open<FrmClearR>();
    FrmClearL& logs = windows.open<FrmClearL>();
    const std::vector<std::pair<ui::Form*, ui::ListBox*>> rows = {
        {&files, &files.lstBackup}, {&registry, &registry.lstRegBackup}, {&logs, &logs.lstLog}};
    for (const auto& row : rows) {
        INFO(row.first->name);
        CHECK(row.second->listCount() == 0);
        for (const char* name : {"cmdDelete", "cmdSelectAll", "cmdSelectNon"}) {
            CHECK_FALSE_MESSAGE(row.first->find(name)->enabled, name);
        }
        CHECK_FALSE(row.second->enabled);
        CHECK(row.first->find("cmdClose")->reachable());
    }
}
