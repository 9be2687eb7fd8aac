// The wizard's first page: layout, menu and the page's navigation.
#include "cleaning/FrmWiz1.h"

#include "base/Font.h"
#include "cleaning/FrmShared.h"
#include "cleaning/FrmWiz2.h"
#include "language/ApplyLang.h"
#include "language/Prompts.h"
#include "startup/Startup.h"
#include "ui/App.h"

FrmWiz1::FrmWiz1(ui::App& app)
    : ui::Form(app, kFormName), cmdCancel(*this, "cmdCancel"), cmdNext(*this, "cmdNext"),
      fraWiz1(*this, "fraWiz1"),
      cboConfigsWiz(*this, "cboConfigsWiz", ui::ComboBox::Style::DropDownList, &fraWiz1),
      lblWizFilInfo(*this, "lblWizFilInfo", &fraWiz1), lblWizInfo(*this, "lblWizInfo"),
      mnuOptions(*this, "mnuOptions"),
      mnuOptionsLanguage(*this, "mnuOptionsLanguage", &mnuOptions, "Ctrl+L"),
      mnuOptionsOptions(*this, "mnuOptionsOptions", &mnuOptions, "Ctrl+O"),
      mnuOptionsFont(*this, "mnuOptionsFont", &mnuOptions, "Ctrl+F") {
    caption = "Tarvex Wizard";
    bounds = {0, 0, 400, 216};

    // Four lines of room: the welcome text runs longer in German and French.
    lblWizInfo.caption = "Welcome to the cleaning wizard. This will help you step by step to clean "
                         "files and registry remainings from driver uninstalls.";
    lblWizInfo.bounds = {12, 12, 376, 54};
    fraWiz1.caption = "Filter Selection";
    fraWiz1.bounds = {12, 74, 376, 92};
    lblWizFilInfo.caption = "Select the filter you want to clean with.";
    lblWizFilInfo.bounds = {10, 20, 356, 28};
    cboConfigsWiz.bounds = {10, 56, 356, 21};
    // Next stands where the second page has Clean, so the forward step stays under the mouse.
    cmdNext.caption = "Next >";
    cmdNext.bounds = {222, 180, 80, 23};
    cmdNext.isDefault = true;
    cmdCancel.caption = "Cancel";
    cmdCancel.bounds = {308, 180, 80, 23};
    cmdCancel.isCancel = true;

    mnuOptions.caption = "Options";
    mnuOptionsLanguage.caption = "&Language";
    mnuOptionsOptions.caption = "&Options";
    mnuOptionsFont.caption = "&Font";

    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdNext.onClick = [this] { cmdNext_Click(); };
    mnuOptionsLanguage.onClick = [this] { mnuOptionsLanguage_Click(); };
    mnuOptionsOptions.onClick = [this] { mnuOptionsOptions_Click(); };
    mnuOptionsFont.onClick = [this] { mnuOptionsFont_Click(); };
}

void FrmWiz1::Form_Load() {
    ApplyLangWiz1(app);
    ApplyFont(*this);
    loadConfigurations();
}

void FrmWiz1::cmdCancel_Click() {
    ShowCleaningWindow(app);
    app.unload(*this);
}

void FrmWiz1::cmdNext_Click() {
    FrmWiz2& next = app.show<FrmWiz2>();
    next.lblWizCFilter.caption = cboConfigsWiz.item(cboConfigsWiz.listIndex());
    app.unload(*this);
}

void FrmWiz1::mnuOptionsLanguage_Click() {
    showModalWithWindowNumber(*this, "frmLanguage", kWindowNumberWizard);
}

void FrmWiz1::mnuOptionsOptions_Click() {
    app.showModalNamed("frmOptions", *this);
}

void FrmWiz1::mnuOptionsFont_Click() {
    showModalWithWindowNumber(*this, "frmFont", kWindowNumberWizard);
}

void FrmWiz1::loadConfigurations() {
    if (!LoadConfigurationList(*this, {&cboConfigsWiz})) {
        cmdNext.enabled = false;
    }
}
