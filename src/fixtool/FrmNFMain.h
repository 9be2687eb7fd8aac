// frmNFMain: Quellix's main window: the OS lines, the registry and AGP fixes to tick, Fix.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>

class FixBackup;

class FrmNFMain : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmNFMain";
    explicit FrmNFMain(ui::App& app);

    ui::Label lblOS{*this, "lblOS"};
    ui::Label lblOSSP{*this, "lblOSSP"};
    ui::Frame fraReg{*this, "fraReg"};
    ui::CheckBox chkRegFix{*this, "chkRegFix", &fraReg};
    ui::Frame fraAGP{*this, "fraAGP"};
    ui::CheckBox chkAGPIntel{*this, "chkAGPIntel", &fraAGP};
    ui::CheckBox chkAGPVIA{*this, "chkAGPVIA", &fraAGP};
    ui::CheckBox chkAGPnForce{*this, "chkAGPnForce", &fraAGP};
    ui::Label lblRegResInfo{*this, "lblRegResInfo"};
    ui::Label lblInfoTexy{*this, "lblInfoTexy"};
    ui::Label lblStat{*this, "lblStat"};
    ui::Label lblRStat{*this, "lblRStat"};
    ui::Button cmdFix{*this, "cmdFix"};
    ui::Button cmdClose{*this, "cmdClose"};
    ui::MenuItem mnuFile{*this, "mnuFile"};
    ui::MenuItem mnuFileFix{*this, "mnuFileFix", &mnuFile};
    ui::MenuItem mnuFileBar1{*this, "mnuFileBar1", &mnuFile, "", true};
    ui::MenuItem mnuFileExit{*this, "mnuFileExit", &mnuFile};
    ui::MenuItem mnuHelp{*this, "mnuHelp"};
    ui::MenuItem mnuHelpHelp{*this, "mnuHelpHelp", &mnuHelp, "F1"};
    ui::MenuItem mnuHelpBar1{*this, "mnuHelpBar1", &mnuHelp, "", true};
    ui::MenuItem mnuHelpAbout{*this, "mnuHelpAbout", &mnuHelp};

    // The chosen font, the title with the version, the OS lines.
    void Form_Load() override;
    // While a Fix runs the window stays; afterwards the close box closes it.
    void closeRequested() override;

    // The system folder, without a trailing backslash.
    std::string SysDir() const;

    // Installs the ticked fixes: the AGP fix first, then the registry fix; two AGP fixes ticked
    // install nothing but an error box.
    void cmdFix_Click();
    // Unloads the window, which ends Quellix.
    void cmdClose_Click();
    // Opens the help page.
    void mnuHelpHelp_Click();
    // Opens frmNFAbout modally.
    void mnuHelpAbout_Click();

  private:
    // Enables or disables what would start another Fix, close the window or change the choice.
    void enableFixControls(bool enabled);
    // One AGP fix: `chipset` names it in the status line, `fileName` is its driver file.
    void installAgpFix(const std::string& chipset, const std::string& fileName, FixBackup& backup);
    // The registry fix.
    void installRegistryFix(FixBackup& backup);

    bool fixing = false;
};
