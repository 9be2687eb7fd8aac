// The normal cleaning window: layout, menus and the window's own events.
#include "cleaning/FrmMain.h"

#include "cleaning/FrmShared.h"
#include "language/ApplyLang.h"
#include "language/Font.h"
#include "language/Language.h"
#include "platform/Files.h"
#include "startup/General.h"
#include "ui/App.h"

FrmMain::FrmMain(ui::App& app)
    : ui::Form(app, kFormName), lblOS(*this, "lblOS"), lblGPU(*this, "lblGPU"),
      cboConfigs(*this, "cboConfigs", ui::ComboBox::Style::DropDownList),
      cmdClean(*this, "cmdClean"), cmdClose(*this, "cmdClose"), lblStatus(*this, "lblStatus"),
      lblDetails(*this, "lblDetails"), lblDetinfo(*this, "lblDetinfo"),
      lstDetail(*this, "lstDetail"), lstDetails(*this, "lstDetails"),
      menus(*this, kWindowNumberMain) {
    caption = "Tarvex";
    bounds = {0, 0, 480, 404};

    lblOS.bounds = {8, 8, 464, 13};
    lblGPU.bounds = {8, 26, 464, 13};
    cboConfigs.bounds = {8, 48, 292, 21};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {306, 47, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 47, 80, 23};
    lblStatus.bounds = {8, 80, 464, 13};
    lblDetails.caption = "Details:";
    lblDetails.bounds = {8, 102, 464, 13};
    lstDetail.bounds = {8, 118, 464, 134};
    lstDetail.foreColor = ui::rgb(0, 128, 0);
    lstDetails.bounds = {8, 256, 464, 114};
    lstDetails.foreColor = ui::rgb(255, 0, 0);
    lblDetinfo.caption = "For information, look at the help file (F1).";
    lblDetinfo.bounds = {8, 380, 464, 13};

    cmdClean.onClick = [this] { cmdClean_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    menus.mnuFileClean.onClick = [this] { cmdClean_Click(); };
    menus.mnuFileExit.onClick = [this] { cmdClose_Click(); };
}

void FrmMain::Form_Load() {
    ApplyLangMain(app);
    ApplyFont(*this);
    prepareCleaning();
}

void FrmMain::Form_Unload() {
    releaseCleaning();
    RemoveLangFile();
    // A run that was cut short may have left its decoded configuration behind.
    const std::string windowsFolder = GetWindowsFolder();
    if (!windowsFolder.empty()) {
        platform::deleteFile(windowsFolder + "\\xttxf.dll");
    }
}

void FrmMain::cmdClean_Click() {
    if (app.msgBox(GetLangString("0009"), GetLangString("0010"), ui::MsgBoxButtons::YesNo,
                   ui::MsgBoxIcon::Exclamation, this) != ui::MsgBoxResult::Yes) {
        return;
    }
    cleanRun();
}

void FrmMain::cmdClose_Click() {
    app.unload(*this);
}

void FrmMain::prepareCleaning() {}

void FrmMain::releaseCleaning() {}

void FrmMain::cleanRun() {}
