// Quellix's main window: its layout, OS lines and the Fix.
#include "fixtool/FrmNFMain.h"

#include "base/Font.h"
#include "base/General.h"
#include "fixtool/AgpFix.h"
#include "fixtool/FixBackup.h"
#include "fixtool/FrmNFAbout.h"
#include "fixtool/Quellix.h"
#include "fixtool/RegistryFix.h"
#include "platform/System.h"
#include "system/Help.h"
#include "system/OSInfo.h"
#include "ui/App.h"

#include <initializer_list>

namespace {

// The words the OS line puts after the system's name for each product type.
const char* productWords(std::int32_t productType) {
    switch (productType) {
    case 1:
        return "Home / Professional";
    case 2:
        return "Domain Controller";
    case 3:
        return "Server";
    default:
        return nullptr;
    }
}

// A check box counts as ticked when its value is 1 (not when greyed).
bool ticked(const ui::CheckBox& box) {
    return box.value == 1;
}

} // namespace

FrmNFMain::FrmNFMain(ui::App& app) : ui::Form(app, kFormName) {
    caption = quellix::kTitle;
    bounds = {0, 0, 360, 337};
    lblOS.bounds = {8, 8, 344, 13};
    lblOSSP.bounds = {8, 24, 344, 13};
    fraReg.caption = "Always select this one";
    fraReg.bounds = {8, 44, 344, 44};
    chkRegFix.caption = "Registry Fix";
    chkRegFix.bounds = {12, 18, 200, 17};
    fraAGP.caption = "Select only if you have such a chipset";
    fraAGP.bounds = {8, 96, 344, 88};
    chkAGPIntel.caption = "Intel AGP Fix";
    chkAGPIntel.bounds = {12, 18, 200, 17};
    chkAGPVIA.caption = "VIA AGP Fix";
    chkAGPVIA.bounds = {12, 40, 200, 17};
    chkAGPnForce.caption = "nForce AGP Fix";
    chkAGPnForce.bounds = {12, 62, 200, 17};
    lblRegResInfo.caption =
        "Select one of the AGP fixes and select the Registry fix. Then click Fix !";
    lblRegResInfo.bounds = {8, 192, 344, 26};
    lblInfoTexy.caption = "See the help (F1) for more information !";
    lblInfoTexy.bounds = {8, 222, 344, 13};
    // Two lines each: a failure says what failed.
    lblStat.bounds = {8, 242, 344, 26};
    lblRStat.bounds = {8, 270, 344, 26};
    cmdFix.caption = "Fix";
    cmdFix.bounds = {192, 304, 76, 25};
    cmdClose.caption = "Close";
    cmdClose.bounds = {276, 304, 76, 25};
    cmdClose.isCancel = true;
    mnuFile.caption = "File";
    mnuFileFix.caption = "&Fix";
    mnuFileExit.caption = "E&xit";
    mnuHelp.caption = "Help";
    mnuHelpHelp.caption = "&Help";
    mnuHelpAbout.caption = "A&bout...";

    cmdFix.onClick = [this] { cmdFix_Click(); };
    mnuFileFix.onClick = [this] { cmdFix_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    mnuFileExit.onClick = [this] { cmdClose_Click(); };
    mnuHelpHelp.onClick = [this] { mnuHelpHelp_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
}

void FrmNFMain::Form_Load() {
    ApplyFont(*this, quellix::kSettingsFile);
    caption += " " + quellix::VersionText();
    const OSInfo os("SP");
    lblOS.caption = os.Name() + " ";
    if (const char* words = productWords(os.ProductType())) {
        lblOS.caption += words;
        lblOSSP.caption = os.SupportInformation();
    }
}

void FrmNFMain::closeRequested() {
    if (!fixing) {
        ui::Form::closeRequested();
    }
}

std::string FrmNFMain::SysDir() const {
    return GetSystemFolder();
}

void FrmNFMain::cmdFix_Click() {
    if (fixing) {
        return;
    }
    fixing = true;
    enableFixControls(false);
    const int agpTicked = ticked(chkAGPnForce) + ticked(chkAGPVIA) + ticked(chkAGPIntel);
    if (agpTicked >= 2) {
        app.msgBox("Please select only one AGP Fix !", "Error", ui::MsgBoxButtons::Ok,
                   ui::MsgBoxIcon::Critical, this);
    } else {
        // One backup folder for the whole Fix, made only when something is to be kept.
        FixBackup backup(platform::localTime());
        if (ticked(chkAGPnForce)) {
            installAgpFix("nForce", quellix::kAgp440, backup);
        }
        if (ticked(chkAGPVIA)) {
            installAgpFix("VIA", quellix::kViaAgp, backup);
        }
        if (ticked(chkAGPIntel)) {
            installAgpFix("Intel", quellix::kAgp440, backup);
        }
        if (ticked(chkRegFix)) {
            installRegistryFix(backup);
        }
    }
    enableFixControls(true);
    fixing = false;
}

void FrmNFMain::cmdClose_Click() {
    app.unload(*this);
}

void FrmNFMain::mnuHelpHelp_Click() {
    OpenHelp(*this, quellix::kHelpFile);
}

void FrmNFMain::mnuHelpAbout_Click() {
    app.showModal<FrmNFAbout>(*this);
}

void FrmNFMain::enableFixControls(bool enabled) {
    // The menu's Fix and Exit too: the registry editor is waited for with the window alive, and a
    // second Fix or the window's end must not start in the middle of one.
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&cmdClose, &cmdFix, &chkAGPnForce, &chkAGPVIA,
                                             &chkAGPIntel, &chkRegFix, &mnuFileFix, &mnuFileExit}) {
        control->enabled = enabled;
    }
}

void FrmNFMain::installAgpFix(const std::string& chipset, const std::string& fileName,
                              FixBackup& backup) {
    const std::string fix = chipset + " AGP Fix ";
    lblStat.caption = fix + "Installing";
    app.doEvents();
    switch (InstallAgpFile(fileName, backup)) {
    case AgpResult::Done:
        lblStat.caption = fix + "Done";
        break;
    case AgpResult::NotFound:
        lblStat.caption = fix + "failed: " + fileName + " not found";
        break;
    case AgpResult::NotKept:
        lblStat.caption = fix + "failed: the old " + fileName + " could not be kept";
        break;
    case AgpResult::NotCopied:
        lblStat.caption = fix + "failed: " + fileName + " could not be copied";
        break;
    }
}

void FrmNFMain::installRegistryFix(FixBackup& backup) {
    lblRStat.caption = "Registry Fix Installing";
    app.doEvents();
    switch (ImportRegistryScript(backup)) {
    case RegistryResult::Done:
        lblRStat.caption = "Registry Fix Done";
        break;
    case RegistryResult::ScriptMissing:
        lblRStat.caption = std::string("Registry Fix failed: ") + quellix::kScript + " not found";
        break;
    case RegistryResult::ScriptDamaged:
        lblRStat.caption = std::string("Registry Fix failed: ") + quellix::kScript + " is damaged";
        break;
    case RegistryResult::NotKept:
        lblRStat.caption = "Registry Fix failed: the registry keys could not be backed up";
        break;
    case RegistryResult::EditorMissing:
        lblRStat.caption = "Registry Fix failed: the registry editor could not be started";
        break;
    case RegistryResult::NotImported:
        lblRStat.caption =
            std::string("Registry Fix failed: ") + quellix::kScript + " was not imported";
        break;
    }
}
