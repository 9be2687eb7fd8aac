// The file and directory restore window: layout and the window's own events.
#include "backup/FrmRestore.h"

#include "backup/SelectEntries.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "ui/App.h"

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

void FrmRestore::FillFileSets() {}

void FrmRestore::FillDirSets() {}
