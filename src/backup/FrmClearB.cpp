// The window that deletes file and directory backup sets: layout and the window's own events.
#include "backup/FrmClearB.h"

#include "backup/SelectEntries.h"
#include "cleaning/Folders.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "ui/App.h"

FrmClearB::FrmClearB(ui::App& app)
    : ui::Form(app, kFormName), fraBackupCleanOpt(*this, "fraBackupCleanOpt"),
      lblBackupClearInfo(*this, "lblBackupClearInfo", &fraBackupCleanOpt),
      lstBackup(*this, "lstBackup", &fraBackupCleanOpt),
      cmdDelete(*this, "cmdDelete", &fraBackupCleanOpt),
      cmdSelectAll(*this, "cmdSelectAll", &fraBackupCleanOpt),
      cmdSelectNon(*this, "cmdSelectNon", &fraBackupCleanOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex File / Directory Backup";
    bounds = {0, 0, 480, 237};

    // Help text on top, entries on the left, commands on the right, as in the restore windows.
    fraBackupCleanOpt.caption = "File / Directory Backup Options";
    fraBackupCleanOpt.bounds = {8, 8, 464, 190};
    lblBackupClearInfo.caption = "Select the backup directory(s) and press delete. It will delete "
                                 "the backup directory(s) and everything in it !";
    lblBackupClearInfo.bounds = {10, 18, 444, 40};
    lstBackup.bounds = {10, 62, 318, 118};
    lstBackup.multiSelect = true;
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

void FrmClearB::Form_Load() {
    ApplyLangClearB(app);
    ApplyFont(*this);
    FillBackupList();
}

void FrmClearB::cmdSelectAll_Click() {
    selectEveryEntry(lstBackup, true);
}

void FrmClearB::cmdSelectNon_Click() {
    selectEveryEntry(lstBackup, false);
}

void FrmClearB::cmdClose_Click() {
    app.unload(*this);
}

void FrmClearB::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDelete, &cmdSelectNon, &cmdSelectAll, &lstBackup}, on);
}

void FrmClearB::cmdDelete_Click() {
    enableCommands(false);
    for (int i = 0; i < lstBackup.listCount(); ++i) {
        if (lstBackup.selected(i)) {
            DeleteFolderIfExists(backupFolder() + "\\" + lstBackup.item(i));
        }
    }
    lstBackup.clear();
    FillBackupList();
    enableCommands(true);
}

void FrmClearB::FillBackupList() {
    for (const std::string& name : namesEndingWith(backupFolder(), "Backup")) {
        if (endsWith(name, "FileBackup")) {
            lstBackup.addItem(name);
        }
        if (endsWith(name, "DirBackup")) {
            lstBackup.addItem(name);
        }
    }
    if (lstBackup.listCount() > 0) {
        lstBackup.setListIndex(0);
    } else {
        setEnabled({&cmdDelete, &lstBackup, &cmdSelectAll, &cmdSelectNon}, false);
    }
}
