// The file and directory restore window: layout and the window's own events.
#include "backup/FrmRestore.h"

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

FrmRestore::FrmRestore(ui::App& app)
    : ui::Form(app, kFormName), fraFileRestoreOpt(*this, "fraFileRestoreOpt"),
      lblFileResInfo(*this, "lblFileResInfo", &fraFileRestoreOpt),
      cboResFile(*this, "cboResFile", ui::ComboBox::Style::DropDownList, &fraFileRestoreOpt),
      lstResFile(*this, "lstResFile", &fraFileRestoreOpt),
      lstResFile2(*this, "lstResFile2", &fraFileRestoreOpt),
      cmdFRestore(*this, "cmdFRestore", &fraFileRestoreOpt),
      cmdFSelectAll(*this, "cmdFSelectAll", &fraFileRestoreOpt),
      cmdFSelectNon(*this, "cmdFSelectNon", &fraFileRestoreOpt),
      fraDirRestoreOpt(*this, "fraDirRestoreOpt"),
      lblDirResInfo(*this, "lblDirResInfo", &fraDirRestoreOpt),
      cboResDir(*this, "cboResDir", ui::ComboBox::Style::DropDownList, &fraDirRestoreOpt),
      lstResDir(*this, "lstResDir", &fraDirRestoreOpt),
      lstResDir2(*this, "lstResDir2", &fraDirRestoreOpt),
      cmdDRestore(*this, "cmdDRestore", &fraDirRestoreOpt),
      cmdDSelectAll(*this, "cmdDSelectAll", &fraDirRestoreOpt),
      cmdDSelectNon(*this, "cmdDSelectNon", &fraDirRestoreOpt), cmdClose(*this, "cmdClose") {
    caption = "Tarvex File / Directory Restore";
    bounds = {0, 0, 480, 441};

    // Both halves share one layout: help text on top, set and entries on the left, commands on
    // the right, wide enough for the longer French and German words.
    fraFileRestoreOpt.caption = "File Restore Options";
    fraFileRestoreOpt.bounds = {8, 8, 464, 194};
    lblFileResInfo.caption = "Select the file(s) and press restore. It will restore the file(s) "
                             "to the right place !";
    lblFileResInfo.bounds = {10, 18, 444, 40};
    cboResFile.bounds = {10, 62, 318, 21};
    lstResFile.bounds = {10, 88, 318, 96};
    lstResFile.multiSelect = true;
    lstResFile2.bounds = {10, 88, 318, 96};
    lstResFile2.visible = false;
    cmdFRestore.caption = "Restore";
    cmdFRestore.bounds = {336, 61, 118, 23};
    cmdFSelectAll.caption = "Select All";
    cmdFSelectAll.bounds = {336, 90, 118, 23};
    cmdFSelectNon.caption = "Select Non";
    cmdFSelectNon.bounds = {336, 119, 118, 23};

    fraDirRestoreOpt.caption = "Directory Restore Options";
    fraDirRestoreOpt.bounds = {8, 208, 464, 194};
    lblDirResInfo.caption = "Select the directory(s) and press restore. It will restore the "
                            "directory(s) and everything in it to the right place !";
    lblDirResInfo.bounds = {10, 18, 444, 40};
    cboResDir.bounds = {10, 62, 318, 21};
    lstResDir.bounds = {10, 88, 318, 96};
    lstResDir.multiSelect = true;
    lstResDir2.bounds = {10, 88, 318, 96};
    lstResDir2.visible = false;
    cmdDRestore.caption = "Restore";
    cmdDRestore.bounds = {336, 61, 118, 23};
    cmdDSelectAll.caption = "Select All";
    cmdDSelectAll.bounds = {336, 90, 118, 23};
    cmdDSelectNon.caption = "Select Non";
    cmdDSelectNon.bounds = {336, 119, 118, 23};

    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 410, 80, 23};
    cmdClose.isCancel = true;

    cboResFile.onChange = [this] { cboResFile_Change(); };
    cboResDir.onChange = [this] { cboResDir_Change(); };
    cmdFRestore.onClick = [this] { cmdFRestore_Click(); };
    cmdDRestore.onClick = [this] { cmdDRestore_Click(); };
    cmdFSelectAll.onClick = [this] { cmdFSelectAll_Click(); };
    cmdFSelectNon.onClick = [this] { cmdFSelectNon_Click(); };
    cmdDSelectAll.onClick = [this] { cmdDSelectAll_Click(); };
    cmdDSelectNon.onClick = [this] { cmdDSelectNon_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmRestore::Form_Load() {
    ApplyLangRestore(app);
    ApplyFont(*this);
    FillFileSets();
    FillDirSets();
}

void FrmRestore::cmdFSelectAll_Click() {
    selectEveryEntry(lstResFile, true);
}

void FrmRestore::cmdFSelectNon_Click() {
    selectEveryEntry(lstResFile, false);
}

void FrmRestore::cmdDSelectAll_Click() {
    selectEveryEntry(lstResDir, true);
}

void FrmRestore::cmdDSelectNon_Click() {
    selectEveryEntry(lstResDir, false);
}

void FrmRestore::cmdClose_Click() {
    app.unload(*this);
}

void FrmRestore::FillFileSets() {
    cboResFile.clear();
    for (const std::string& name : BackupSetNames(SetKind::Files)) {
        cboResFile.addItem(name);
    }
    if (cboResFile.listCount() > 0) {
        cboResFile.setListIndex(0);
        cboResFile_Change();
    } else {
        setEnabled({&cboResFile, &cmdFRestore, &lstResFile, &cmdFSelectAll, &cmdFSelectNon}, false);
    }
}

void FrmRestore::FillDirSets() {
    cboResDir.clear();
    for (const std::string& name : BackupSetNames(SetKind::Folders)) {
        cboResDir.addItem(name);
    }
    if (cboResDir.listCount() > 0) {
        cboResDir.setListIndex(0);
        cboResDir_Change();
    } else {
        setEnabled({&cboResDir, &cmdDRestore, &lstResDir, &cmdDSelectAll, &cmdDSelectNon}, false);
    }
}

void FrmRestore::cboResFile_Change() {
    lstResFile.clear();
    lstResFile2.clear();
    const std::string setName = cboResFile.item(cboResFile.listIndex());
    LoadRestoreFiles(setFolder(setName) + "\\" + setName + ".dfb");
}

void FrmRestore::cboResDir_Change() {
    lstResDir.clear();
    lstResDir2.clear();
    const std::string setName = cboResDir.item(cboResDir.listIndex());
    LoadRestoreDir(setFolder(setName) + "\\" + setName + ".ddb");
}

void FrmRestore::LoadRestoreFiles(const std::string& Filename) {
    loadIndexLines(Filename, lstResFile, lstResFile2);
}

void FrmRestore::LoadRestoreDir(const std::string& Filename) {
    loadIndexLines(Filename, lstResDir, lstResDir2);
}

void FrmRestore::enableCommands(bool on) {
    setEnabled({&cmdClose, &cmdDRestore, &cmdDSelectNon, &cmdDSelectAll, &cmdFRestore,
                &cmdFSelectNon, &cmdFSelectAll, &cboResDir, &cboResFile, &lstResFile, &lstResDir},
               on);
}

void FrmRestore::cmdFRestore_Click() {
    enableCommands(false);
    // With no set left (the last one was restored) there is nothing to work on; the backup
    // folder itself must never be taken for a set.
    if (cboResFile.listIndex() >= 0) {
        const std::string setName = cboResFile.item(cboResFile.listIndex());
        const std::string folder = setFolder(setName);
        const int taken = restoreSelected(lstResFile, lstResFile2, [&](const std::string& line) {
            return RestoreIndexLine(SetKind::Files, folder, line);
        });
        // A click that took no line out leaves the disk alone: the index may have been unreadable
        // and listed as empty, and rewriting it would lose every line.
        if (taken > 0 && rewriteIndex(folder + "\\" + setName + ".dfb", lstResFile2)) {
            RemoveEmptiedSet(SetKind::Files, folder);
        }
    }
    lstResFile.clear();
    lstResFile2.clear();
    FillFileSets();
    enableCommands(true);
}

void FrmRestore::cmdDRestore_Click() {
    enableCommands(false);
    if (cboResDir.listIndex() >= 0) {
        const std::string setName = cboResDir.item(cboResDir.listIndex());
        const std::string folder = setFolder(setName);
        const int taken = restoreSelected(lstResDir, lstResDir2, [&](const std::string& line) {
            return RestoreIndexLine(SetKind::Folders, folder, line);
        });
        if (taken > 0 && rewriteIndex(folder + "\\" + setName + ".ddb", lstResDir2)) {
            RemoveEmptiedSet(SetKind::Folders, folder);
        }
    }
    lstResDir.clear();
    lstResDir2.clear();
    FillDirSets();
    enableCommands(true);
}
