// The registry restore window: layout and the window's own events.
#include "backup/FrmRegRest.h"

#include "backup/Restore.h"
#include "backup/SelectEntries.h"
#include "base/Font.h"
#include "language/ApplyLang.h"
#include "ui/App.h"

namespace {

std::string setFolder(const std::string& setName) {
    return BackupSetPath(setName);
}

} // namespace

FrmRegRest::FrmRegRest(ui::App& app)
    : ui::Form(app, kFormName), fraRegRestoreOpt(*this, "fraRegRestoreOpt"),
      lblRegResInfo(*this, "lblRegResInfo", &fraRegRestoreOpt),
      cboResReg(*this, "cboResReg", ui::ComboBox::Style::DropDownList, &fraRegRestoreOpt),
      lstResReg(*this, "lstResReg", &fraRegRestoreOpt),
      LstResReg2(*this, "LstResReg2", &fraRegRestoreOpt),
      cmdRRestore(*this, "cmdRRestore", &fraRegRestoreOpt),
      cmdRSelectAll(*this, "cmdRSelectAll", &fraRegRestoreOpt),
      cmdRSelectNon(*this, "cmdRSelectNon", &fraRegRestoreOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex Registry Restore";
    bounds = {0, 0, 480, 241};

    // The layout of one half of the file and directory restore window.
    fraRegRestoreOpt.caption = "Registry Restore Options";
    fraRegRestoreOpt.bounds = {8, 8, 464, 194};
    lblRegResInfo.caption =
        "Select the registry(s) and press restore. It will restore the registry(s) !";
    lblRegResInfo.bounds = {10, 18, 444, 40};
    cboResReg.bounds = {10, 62, 318, 21};
    lstResReg.bounds = {10, 88, 318, 96};
    lstResReg.multiSelect = true;
    LstResReg2.bounds = {10, 88, 318, 96};
    LstResReg2.visible = false;
    cmdRRestore.caption = "Restore";
    cmdRRestore.bounds = {336, 61, 118, 23};
    cmdRSelectAll.caption = "Select All";
    cmdRSelectAll.bounds = {336, 90, 118, 23};
    cmdRSelectNon.caption = "Select Non";
    cmdRSelectNon.bounds = {336, 119, 118, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 210, 80, 23};
    cmdClose.isCancel = true;

    cboResReg.onChange = [this] { cboResReg_Change(); };
    cmdRRestore.onClick = [this] { cmdRRestore_Click(); };
    cmdRSelectAll.onClick = [this] { cmdRSelectAll_Click(); };
    cmdRSelectNon.onClick = [this] { cmdRSelectNon_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmRegRest::Form_Load() {
    ApplyLangRegRest(app);
    ApplyFont(*this);
    FillRegSets();
}

void FrmRegRest::cmdRSelectAll_Click() {
    selectEveryEntry(lstResReg, true);
}

void FrmRegRest::cmdRSelectNon_Click() {
    selectEveryEntry(lstResReg, false);
}

void FrmRegRest::cmdClose_Click() {
    app.unload(*this);
}

void FrmRegRest::FillRegSets() {
    cboResReg.clear();
    for (const std::string& name : BackupSetNames(SetKind::Registry)) {
        cboResReg.addItem(name);
    }
    if (cboResReg.listCount() > 0) {
        cboResReg.setListIndex(0);
        cboResReg_Change();
    } else {
        setEnabled({&cboResReg, &cmdRRestore, &lstResReg, &cmdRSelectAll, &cmdRSelectNon}, false);
    }
}

void FrmRegRest::cboResReg_Change() {
    lstResReg.clear();
    LstResReg2.clear();
    const std::string setName = cboResReg.item(cboResReg.listIndex());
    LoadRestoreReg(setFolder(setName) + "\\" + setName + ".drb");
}

void FrmRegRest::LoadRestoreReg(const std::string& Filename) {
    loadIndexLines(Filename, lstResReg, LstResReg2);
}

void FrmRegRest::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdRRestore, &cmdRSelectNon, &cmdRSelectAll, &cboResReg, &lstResReg},
               on);
}

void FrmRegRest::cmdRRestore_Click() {
    enableCommands(false);
    // With no set left there is nothing to work on; the backup folder is never a set.
    if (cboResReg.listIndex() >= 0) {
        const std::string setName = cboResReg.item(cboResReg.listIndex());
        const std::string folder = setFolder(setName);
        const int taken = restoreSelected(lstResReg, LstResReg2, [&](const std::string& line) {
            return RestoreIndexLine(SetKind::Registry, folder, line);
        });
        // A click that took no line out leaves the disk alone: an unreadable index lists as
        // empty, and rewriting it would lose every line.
        if (taken > 0 && rewriteIndex(folder + "\\" + setName + ".drb", LstResReg2)) {
            RemoveEmptiedSet(SetKind::Registry, folder);
        }
    }
    lstResReg.clear();
    LstResReg2.clear();
    FillRegSets();
    enableCommands(true);
}
