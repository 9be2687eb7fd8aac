// The menu tree of the cleaning windows; its entries open the other windows by name.
#include "cleaning/FrmCleaningMenu.h"

#include "language/Prompts.h"
#include "ui/App.h"

namespace {

// A separator line of a menu.
constexpr bool kSeparator = true;

} // namespace

CleaningMenuBar::CleaningMenuBar(ui::Form& form, std::string number)
    : window(form), windowNumber(std::move(number)), mnuFile(form, "mnuFile"),
      mnuFileClean(form, "mnuFileClean", &mnuFile, "Ctrl+R"),
      mnuFilePreview(form, "mnuFilePreview", &mnuFile),
      mnuFileBar1(form, "mnuFileBar1", &mnuFile, "", kSeparator),
      mnuFileExit(form, "mnuFileExit", &mnuFile, "Ctrl+X"), mnuOptions(form, "mnuOptions"),
      mnuOptionsWizard(form, "mnuOptionsWizard", &mnuOptions, "Ctrl+W"),
      mnuOptionsBar1(form, "mnuOptionsBar1", &mnuOptions, "", kSeparator),
      mnuOptionsBC(form, "mnuOptionsBC", &mnuOptions),
      mnuOptionsBCFD(form, "mnuOptionsBCFD", &mnuOptionsBC),
      mnuOptionsBCRC(form, "mnuOptionsBCRC", &mnuOptionsBC),
      mnuOptionsBCLC(form, "mnuOptionsBCLC", &mnuOptionsBC),
      mnuOptionRestore(form, "mnuOptionRestore", &mnuOptions),
      mnuOptionsRestoreFD(form, "mnuOptionsRestoreFD", &mnuOptionRestore, "Ctrl+U"),
      mnuOptionsRestoreReg(form, "mnuOptionsRestoreReg", &mnuOptionRestore, "Ctrl+Z"),
      mnuOptionsBar3(form, "mnuOptionsBar3", &mnuOptions, "", kSeparator),
      mnuOptionsLanguage(form, "mnuOptionsLanguage", &mnuOptions, "Ctrl+L"),
      mnuOptionsOptions(form, "mnuOptionsOptions", &mnuOptions, "Ctrl+O"),
      mnuOptionsFont(form, "mnuOptionsFont", &mnuOptions, "Ctrl+F"), mnuTools(form, "mnuTools"),
      mnuToolsCab(form, "mnuToolsCab", &mnuTools), mnuHelp(form, "mnuHelp"),
      mnuHelpHelp(form, "mnuHelpHelp", &mnuHelp, "F1"),
      mnuHelpBar1(form, "mnuHelpBar1", &mnuHelp, "", kSeparator),
      mnuHelpAbout(form, "mnuHelpAbout", &mnuHelp) {
    mnuFile.caption = "File";
    mnuFileClean.caption = "&Clean";
    mnuFilePreview.caption = "&Preview";
    mnuFileExit.caption = "E&xit";
    mnuOptions.caption = "Options";
    mnuOptionsWizard.caption = "&Wizard";
    mnuOptionsBC.caption = "Backup Cleaner";
    mnuOptionsBCFD.caption = "File / Directory";
    mnuOptionsBCRC.caption = "Registry";
    mnuOptionsBCLC.caption = "Log";
    mnuOptionRestore.caption = "Restore";
    mnuOptionsRestoreFD.caption = "&File / Directory";
    mnuOptionsRestoreReg.caption = "&Registry";
    mnuOptionsLanguage.caption = "&Language";
    mnuOptionsOptions.caption = "&Options";
    mnuOptionsFont.caption = "&Font";
    mnuTools.caption = "&Tools";
    mnuToolsCab.caption = "&Cab Cleaner";
    mnuHelp.caption = "Help";
    mnuHelpHelp.caption = "&Help";
    mnuHelpAbout.caption = "A&bout...";

    mnuOptionsWizard.onClick = [this] { mnuOptionsWizard_Click(); };
    mnuOptionsBCFD.onClick = [this] { mnuOptionsBCFD_Click(); };
    mnuOptionsBCRC.onClick = [this] { mnuOptionsBCRC_Click(); };
    mnuOptionsBCLC.onClick = [this] { mnuOptionsBCLC_Click(); };
    mnuOptionsRestoreFD.onClick = [this] { mnuOptionsRestoreFD_Click(); };
    mnuOptionsRestoreReg.onClick = [this] { mnuOptionsRestoreReg_Click(); };
    mnuOptionsLanguage.onClick = [this] { mnuOptionsLanguage_Click(); };
    mnuOptionsOptions.onClick = [this] { mnuOptionsOptions_Click(); };
    mnuOptionsFont.onClick = [this] { mnuOptionsFont_Click(); };
    mnuToolsCab.onClick = [this] { mnuToolsCab_Click(); };
    mnuHelpHelp.onClick = [this] { mnuHelpHelp_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
}

void CleaningMenuBar::mnuOptionsWizard_Click() {
    window.app.showNamed("frmWiz1");
    window.app.unload(window);
}

void CleaningMenuBar::mnuOptionsBCFD_Click() {
    window.app.showModalNamed("frmClearB", window);
}

void CleaningMenuBar::mnuOptionsBCRC_Click() {
    window.app.showModalNamed("frmClearR", window);
}

void CleaningMenuBar::mnuOptionsBCLC_Click() {
    window.app.showModalNamed("frmClearL", window);
}

void CleaningMenuBar::mnuOptionsRestoreFD_Click() {
    window.app.showModalNamed("frmRestore", window);
}

void CleaningMenuBar::mnuOptionsRestoreReg_Click() {
    window.app.showModalNamed("frmRegRest", window);
}

void CleaningMenuBar::mnuOptionsLanguage_Click() {
    showModalWithWindowNumber(window, "frmLanguage", windowNumber);
}

void CleaningMenuBar::mnuOptionsOptions_Click() {
    window.app.showModalNamed("frmOptions", window);
}

void CleaningMenuBar::mnuOptionsFont_Click() {
    showModalWithWindowNumber(window, "frmFont", windowNumber);
}

void CleaningMenuBar::mnuToolsCab_Click() {
    window.app.showNamed("frmCC");
    window.app.unload(window);
}

void CleaningMenuBar::mnuHelpHelp_Click() {
    openHelpFile(window);
}

void CleaningMenuBar::mnuHelpAbout_Click() {
    window.app.showModalNamed("frmAbout", window);
}
