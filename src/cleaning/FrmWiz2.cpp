// The wizard's second page: layout and the page's navigation.
#include "cleaning/FrmWiz2.h"

#include "base/Font.h"
#include "base/General.h"
#include "cleaning/Engine.h"
#include "cleaning/FrmWiz1.h"
#include "language/ApplyLang.h"
#include "language/Language.h"
#include "language/Prompts.h"
#include "language/TextIds.h"
#include "packs/Configuration.h"
#include "platform/Files.h"
#include "startup/Startup.h"
#include "ui/App.h"

FrmWiz2::FrmWiz2(ui::App& app)
    : ui::Form(app, kFormName), cmdBack(*this, "cmdBack"), cmdClose(*this, "cmdClose"),
      cmdClean(*this, "cmdClean"), lblWizCFilter(*this, "lblWizCFilter"),
      lblWizStatus(*this, "lblWizStatus"), lblWizSelected(*this, "lblWizSelected"),
      lblWiz2Info(*this, "lblWiz2Info") {
    caption = "Tarvex Wizard";
    bounds = {0, 0, 400, 216};

    lblWiz2Info.caption = "You have selected your cleaning filter. Press clean to start the "
                          "cleaning with the selected filter.";
    lblWiz2Info.bounds = {12, 12, 376, 54};
    lblWizSelected.caption = "Selected:";
    lblWizSelected.bounds = {12, 82, 100, 13};
    lblWizCFilter.bounds = {116, 82, 272, 13};
    lblWizStatus.bounds = {12, 112, 376, 13};
    // The same button row as the first page: Back left of Clean, Close where Cancel was.
    cmdBack.caption = "< Back";
    cmdBack.bounds = {136, 180, 80, 23};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {222, 180, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {308, 180, 80, 23};

    cmdBack.onClick = [this] { cmdBack_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    cmdClean.onClick = [this] { cmdClean_Click(); };
}

void FrmWiz2::Form_Load() {
    ApplyLangWiz2(app);
    ApplyFont(*this);
    prepareCleaning();
}

void FrmWiz2::Form_Unload() {
    releaseCleaning();
    RemoveLangFile();
    DeleteDecodedCopy("\\xtdwf.dll");
}

void FrmWiz2::cmdBack_Click() {
    app.show<FrmWiz1>();
    app.unload(*this);
}

void FrmWiz2::cmdClose_Click() {
    ShowCleaningWindow(app);
    app.unload(*this);
}

void FrmWiz2::cmdClean_Click() {
    if (!ConfirmClean(*this)) {
        return;
    }
    cleanRun();
}

void FrmWiz2::prepareCleaning() {
    objects.create();
}

void FrmWiz2::releaseCleaning() {
    objects.release();
}

void FrmWiz2::cleanRun() {
    lblWizStatus.caption = GetLangString(textid::kCleanStarted);
    // Back stays usable: the page may be left during the run, which then stops its search.
    cmdClean.enabled = false;
    cmdClose.enabled = false;
    // No settings are read: the wizard never backs up, keeps no lists and writes no log.
    RunContext context;
    context.configurationName = lblWizCFilter.caption;
    objects.beginRun(context);
    CleanConfiguration(EngineSections(context), *objects.decoder(), context.configurationName,
                       GetWindowsFolder() + "\\xtdwf.dll");
    objects.endRun();
    lblWizStatus.caption = GetLangString(textid::kWizardCleanFinished);
    cmdClean.enabled = true;
    cmdClose.enabled = true;
}
