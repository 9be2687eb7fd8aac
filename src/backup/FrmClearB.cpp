// The window that deletes file and directory backup sets: which sets, and how one goes.
#include "backup/FrmClearB.h"

#include "backup/SelectEntries.h"
#include "base/Folders.h"
#include "language/ApplyLang.h"

namespace {

const FrmClear::Design kDesign = {
    FrmClearB::kFormName,
    "Tarvex File / Directory Backup",
    "fraBackupCleanOpt",
    "File / Directory Backup Options",
    "lblBackupClearInfo",
    "Select the backup directory(s) and press delete. It will delete the backup directory(s) and "
    "everything in it !",
    "lstBackup"};

} // namespace

FrmClearB::FrmClearB(ui::App& app) : FrmClear(app, kDesign) {}

void FrmClearB::applyTexts() {
    ApplyLangClearB(app);
}

std::vector<std::string> FrmClearB::entries() const {
    std::vector<std::string> sets;
    // Two separate tests, as a name could in principle end with both.
    for (const std::string& name : namesEndingWith(backupFolder(), "Backup")) {
        if (endsWith(name, "FileBackup")) {
            sets.push_back(name);
        }
        if (endsWith(name, "DirBackup")) {
            sets.push_back(name);
        }
    }
    return sets;
}

void FrmClearB::deleteEntry(const std::string& entry) {
    DeleteFolderIfExists(backupFolder() + "\\" + entry);
}
