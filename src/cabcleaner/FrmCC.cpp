// The cab cleaner window: layout, menus and the window's own events.
#include "cabcleaner/FrmCC.h"

#include "base/Font.h"
#include "base/General.h"
#include "language/ApplyLang.h"
#include "language/Language.h"
#include "language/Prompts.h"
#include "platform/Files.h"
#include "startup/Startup.h"
#include "ui/App.h"

namespace {

constexpr bool kSeparator = true;

// The scratch folders a run may leave in the temporary folder, one per cabinet base name the
// shipped cab configurations use.
constexpr const char* kScratchFolders[] = {"tmpDriver", "tmpSP1", "tmpSP2",
                                           "tmpSP3",    "tmpSP4", "tmpSP5"};

} // namespace

FrmCC::FrmCC(ui::App& app)
    : ui::Form(app, kFormName), cboConfig(*this, "cboConfig", ui::ComboBox::Style::DropDownCombo),
      lstCabNames(*this, "lstCabNames"), lstCAB(*this, "lstCAB"), cmdClean(*this, "cmdClean"),
      cmdClose(*this, "cmdClose"), lblOS(*this, "lblOS"), lblStatus(*this, "lblStatus"),
      lblStatus2(*this, "lblStatus2"), lblInfoMin(*this, "lblInfoMin"), mnuFile(*this, "mnuFile"),
      mnuFileClean(*this, "mnuFileClean", &mnuFile),
      mnuFileBar1(*this, "mnuFileBar1", &mnuFile, "", kSeparator),
      mnuFileExit(*this, "mnuFileExit", &mnuFile), mnuTools(*this, "mnuTools"),
      mnuToolsDriver(*this, "mnuToolsDriver", &mnuTools), mnuHelp(*this, "mnuHelp"),
      mnuHelpHelp(*this, "mnuHelpHelp", &mnuHelp),
      mnuHelpBar1(*this, "mnuHelpBar1", &mnuHelp, "", kSeparator),
      mnuHelpAbout(*this, "mnuHelpAbout", &mnuHelp) {
    caption = "Cab Cleaner";
    bounds = {0, 0, 400, 122};

    lblOS.bounds = {8, 8, 384, 13};
    cboConfig.bounds = {8, 30, 206, 21};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {226, 29, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {312, 29, 80, 23};
    lblStatus.bounds = {8, 62, 384, 13};
    lblStatus2.bounds = {8, 80, 384, 13};
    lblInfoMin.bounds = {8, 98, 384, 13};
    lstCabNames.visible = false;
    lstCabNames.bounds = {8, 62, 120, 40};
    lstCAB.visible = false;
    lstCAB.bounds = {136, 62, 120, 40};

    mnuFile.caption = "File";
    mnuFileClean.caption = "&Clean";
    mnuFileExit.caption = "E&xit";
    mnuTools.caption = "&Tools";
    mnuToolsDriver.caption = "&Tarvex";
    mnuHelp.caption = "Help";
    mnuHelpHelp.caption = "&Help";
    mnuHelpAbout.caption = "A&bout...";

    cmdClean.onClick = [this] { cmdClean_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    mnuFileClean.onClick = [this] { cmdClean_Click(); };
    mnuFileExit.onClick = [this] { cmdClose_Click(); };
    mnuToolsDriver.onClick = [this] { cmdClose_Click(); };
    mnuHelpHelp.onClick = [this] { mnuHelpHelp_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
}

void FrmCC::Form_Load() {
    ApplyLangCC(app);
    ApplyFont(*this);
    prepareCabCleaning();
}

void FrmCC::Form_Unload() {
    releaseCabCleaning();
    const std::string tempFolder = GetTempFolder();
    if (!tempFolder.empty()) {
        for (const char* scratch : kScratchFolders) {
            platform::deleteTree(tempFolder + scratch);
        }
    }
    const std::string windowsFolder = GetWindowsFolder();
    if (!windowsFolder.empty()) {
        platform::deleteFile(windowsFolder + "\\xtccf.dll");
    }
}

void FrmCC::cmdClean_Click() {
    if (!ConfirmClean(*this)) {
        return;
    }
    cleanRun();
}

void FrmCC::cmdClose_Click() {
    ShowCleaningWindow(app);
    app.unload(*this);
}

void FrmCC::mnuHelpAbout_Click() {
    app.showModalNamed("frmAbout", *this);
}

void FrmCC::mnuHelpHelp_Click() {
    openHelpFile(*this);
}

void FrmCC::prepareCabCleaning() {}

void FrmCC::releaseCabCleaning() {}

void FrmCC::cleanRun() {}
