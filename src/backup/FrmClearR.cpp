// The window that deletes registry backup sets: which sets, and how one goes.
#include "backup/FrmClearR.h"

#include "backup/SelectEntries.h"
#include "base/Folders.h"
#include "language/ApplyLang.h"

namespace {

const FrmClear::Design kDesign = {
    FrmClearR::kFormName,
    "Tarvex Registry Backup",
    "fraRegBackupCleanOpt",
    "Registry Backup Options",
    "lblGegBackupClearInfo",
    "Select the backup directory(s) and press delete. It will delete the backup directory(s) and "
    "everything in it !",
    "lstRegBackup"};

} // namespace

FrmClearR::FrmClearR(ui::App& app) : FrmClear(app, kDesign) {}

void FrmClearR::applyTexts() {
    ApplyLangClearR(app);
}

std::vector<std::string> FrmClearR::entries() const {
    return namesEndingWith(backupFolder(), "RegBackup");
}

void FrmClearR::deleteEntry(const std::string& entry) {
    DeleteFolderIfExists(backupFolder() + "\\" + entry);
}
