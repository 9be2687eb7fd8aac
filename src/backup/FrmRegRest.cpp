// The registry restore window: layout and the window's own events.
#include "backup/FrmRegRest.h"

#include "backup/SelectEntries.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "ui/App.h"

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

void FrmRegRest::FillRegSets() {}
