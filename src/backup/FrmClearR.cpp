// The window that deletes registry backup sets: layout and the window's own events.
#include "backup/FrmClearR.h"

#include "backup/SelectEntries.h"
#include "cleaning/Folders.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "ui/App.h"

FrmClearR::FrmClearR(ui::App& app)
    : ui::Form(app, kFormName), fraRegBackupCleanOpt(*this, "fraRegBackupCleanOpt"),
      lblGegBackupClearInfo(*this, "lblGegBackupClearInfo", &fraRegBackupCleanOpt),
      lstRegBackup(*this, "lstRegBackup", &fraRegBackupCleanOpt),
      cmdDelete(*this, "cmdDelete", &fraRegBackupCleanOpt),
      cmdSelectAll(*this, "cmdSelectAll", &fraRegBackupCleanOpt),
      cmdSelectNon(*this, "cmdSelectNon", &fraRegBackupCleanOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex Registry Backup";
    bounds = {0, 0, 480, 237};

    // Help text on top, entries on the left, commands on the right, as in the restore windows.
    fraRegBackupCleanOpt.caption = "Registry Backup Options";
    fraRegBackupCleanOpt.bounds = {8, 8, 464, 190};
    lblGegBackupClearInfo.caption = "Select the backup directory(s) and press delete. It will "
                                    "delete the backup directory(s) and everything in it !";
    lblGegBackupClearInfo.bounds = {10, 18, 444, 40};
    lstRegBackup.bounds = {10, 62, 318, 118};
    lstRegBackup.multiSelect = true;
    cmdDelete.caption = "Delete";
    cmdDelete.bounds = {336, 62, 118, 23};
    cmdSelectAll.caption = "Select All";
    cmdSelectAll.bounds = {336, 91, 118, 23};
    cmdSelectNon.caption = "Select Non";
    cmdSelectNon.bounds = {336, 120, 118, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 206, 80, 23};
    cmdClose.isCancel = true;

    cmdDelete.onClick = [this] { cmdDelete_Click(); };
    cmdSelectAll.onClick = [this] { cmdSelectAll_Click(); };
    cmdSelectNon.onClick = [this] { cmdSelectNon_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmClearR::Form_Load() {
    ApplyLangClearR(app);
    ApplyFont(*this);
    FillRegBackupList();
}

void FrmClearR::cmdSelectAll_Click() {
    selectEveryEntry(lstRegBackup, true);
}

void FrmClearR::cmdSelectNon_Click() {
    selectEveryEntry(lstRegBackup, false);
}

void FrmClearR::cmdClose_Click() {
    app.unload(*this);
}

void FrmClearR::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDelete, &cmdSelectNon, &cmdSelectAll, &lstRegBackup}, on);
}

void FrmClearR::cmdDelete_Click() {
    enableCommands(false);
    for (int i = 0; i < lstRegBackup.listCount(); ++i) {
        if (lstRegBackup.selected(i)) {
            DeleteFolderIfExists(backupFolder() + "\\" + lstRegBackup.item(i));
        }
    }
    lstRegBackup.clear();
    FillRegBackupList();
    enableCommands(true);
}

void FrmClearR::FillRegBackupList() {
    for (const std::string& name : namesEndingWith(backupFolder(), "RegBackup")) {
        lstRegBackup.addItem(name);
    }
    if (lstRegBackup.listCount() > 0) {
        lstRegBackup.setListIndex(0);
    } else {
        setEnabled({&cmdDelete, &lstRegBackup, &cmdSelectAll, &cmdSelectNon}, false);
    }
}
