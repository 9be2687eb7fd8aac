// The window that deletes clean logs: layout and the window's own events.
#include "backup/FrmClearL.h"

#include "backup/SelectEntries.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/General.h"
#include "ui/App.h"

#include <vector>

namespace {

std::string logFolder() {
    return platform::programFolder() + "\\Log";
}

} // namespace

FrmClearL::FrmClearL(ui::App& app)
    : ui::Form(app, kFormName), fraLogCleanOpt(*this, "fraLogCleanOpt"),
      lblBackupClearInfo(*this, "lblBackupClearInfo", &fraLogCleanOpt),
      lstLog(*this, "lstLog", &fraLogCleanOpt), cmdDelete(*this, "cmdDelete", &fraLogCleanOpt),
      cmdSelectAll(*this, "cmdSelectAll", &fraLogCleanOpt),
      cmdSelectNon(*this, "cmdSelectNon", &fraLogCleanOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex Log Cleaner";
    bounds = {0, 0, 480, 237};

    // Help text on top, entries on the left, commands on the right, as in the restore windows.
    fraLogCleanOpt.caption = "Cleaning Options";
    fraLogCleanOpt.bounds = {8, 8, 464, 190};
    lblBackupClearInfo.caption = "Select the log file(s) and press delete !";
    lblBackupClearInfo.bounds = {10, 18, 444, 40};
    lstLog.bounds = {10, 62, 318, 118};
    lstLog.multiSelect = true;
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

void FrmClearL::Form_Load() {
    ApplyLangClearL(app);
    ApplyFont(*this);
    FillLogList();
}

void FrmClearL::cmdSelectAll_Click() {
    selectEveryEntry(lstLog, true);
}

void FrmClearL::cmdSelectNon_Click() {
    selectEveryEntry(lstLog, false);
}

void FrmClearL::cmdClose_Click() {
    app.unload(*this);
}

void FrmClearL::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDelete, &cmdSelectNon, &cmdSelectAll, &lstLog}, on);
}

void FrmClearL::cmdDelete_Click() {
    enableCommands(false);
    for (int i = 0; i < lstLog.listCount(); ++i) {
        if (lstLog.selected(i)) {
            platform::deleteFile(logFolder() + "\\" + lstLog.item(i) + ".log");
        }
    }
    lstLog.clear();
    FillLogList();
    enableCommands(true);
}

void FrmClearL::FillLogList() {
    std::vector<platform::FindEntry> entries;
    if (FolderExists(logFolder()) &&
        platform::findFiles(logFolder() + "\\*.log", entries) == platform::kOk) {
        for (const platform::FindEntry& entry : entries) {
            // Ordinary files only: hidden, system and folder entries are not listed.
            if ((entry.attributes &
                 (platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory)) == 0) {
                lstLog.addItem(entry.name.substr(0, entry.name.rfind('.')));
            }
        }
    }
    if (lstLog.listCount() > 0) {
        lstLog.setListIndex(0);
    } else {
        setEnabled({&cmdDelete, &lstLog, &cmdSelectAll, &cmdSelectNon}, false);
    }
}
