// The menu bar shared by the normal and the advanced cleaning window, with the entries that act
// the same in both.
#pragma once

#include "ui/Controls.h"

#include <string>

// The menus of frmMain and frmAdvanced in control order. The entries that open other windows are
// wired here; mnuFileClean, mnuFilePreview and mnuFileExit belong to the window's own run, preview
// and close handlers.
class CleaningMenuBar {
  private:
    // Declared first: the menu entries below are wired against it.
    ui::Form& window;
    const std::string windowNumber;

  public:
    // Builds the menu tree on `form`; `number` is the window number told to the language and
    // font windows.
    CleaningMenuBar(ui::Form& form, std::string number);

    ui::MenuItem mnuFile;
    ui::MenuItem mnuFileClean;
    ui::MenuItem mnuFilePreview;
    ui::MenuItem mnuFileBar1;
    ui::MenuItem mnuFileExit;
    ui::MenuItem mnuOptions;
    ui::MenuItem mnuOptionsWizard;
    ui::MenuItem mnuOptionsBar1;
    ui::MenuItem mnuOptionsBC;
    ui::MenuItem mnuOptionsBCFD;
    ui::MenuItem mnuOptionsBCRC;
    ui::MenuItem mnuOptionsBCLC;
    ui::MenuItem mnuOptionRestore;
    ui::MenuItem mnuOptionsRestoreFD;
    ui::MenuItem mnuOptionsRestoreReg;
    ui::MenuItem mnuOptionsBar3;
    ui::MenuItem mnuOptionsLanguage;
    ui::MenuItem mnuOptionsOptions;
    ui::MenuItem mnuOptionsFont;
    ui::MenuItem mnuTools;
    ui::MenuItem mnuToolsCab;
    ui::MenuItem mnuHelp;
    ui::MenuItem mnuHelpHelp;
    ui::MenuItem mnuHelpBar1;
    ui::MenuItem mnuHelpAbout;

    // Switches to the wizard: shows frmWiz1, then unloads the cleaning window.
    void mnuOptionsWizard_Click();
    // Opens frmClearB (file and folder backups) modally.
    void mnuOptionsBCFD_Click();
    // Opens frmClearR (registry backups) modally.
    void mnuOptionsBCRC_Click();
    // Opens frmClearL (logs) modally.
    void mnuOptionsBCLC_Click();
    // Opens frmRestore (files and folders) modally.
    void mnuOptionsRestoreFD_Click();
    // Opens frmRegRest (registry) modally.
    void mnuOptionsRestoreReg_Click();
    // Opens frmLanguage modally, telling it the window number.
    void mnuOptionsLanguage_Click();
    // Opens frmOptions modally.
    void mnuOptionsOptions_Click();
    // Opens frmFont modally, telling it the window number.
    void mnuOptionsFont_Click();
    // Switches to the cab cleaner: shows frmCC, then unloads the cleaning window.
    void mnuToolsCab_Click();
    // Opens the help file.
    void mnuHelpHelp_Click();
    // Opens frmAbout modally.
    void mnuHelpAbout_Click();
};
