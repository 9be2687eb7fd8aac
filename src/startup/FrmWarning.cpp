// The warning window shown after the splash while "ReadmeStart" is "Yes".
#include "startup/FrmWarning.h"

#include "base/Font.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "language/ApplyLang.h"
#include "startup/Startup.h"
#include "ui/App.h"

FrmWarning::FrmWarning(ui::App& app) : ui::Form(app, kFormName) {
    caption = "Important";
    bounds = {0, 0, 420, 228};
    fraWarning.caption = "Important";
    fraWarning.bounds = {8, 8, 404, 150};
    lblWarning.caption =
        "Tarvex permanently deletes display driver files, directories and registry keys. Always "
        "use the configuration of the driver family you are really removing, and keep the backup "
        "options turned on so that you can restore what was deleted.";
    lblWarning.bounds = {12, 20, 380, 120};
    chkWarning.caption = "Show this warning by the program start!";
    chkWarning.bounds = {8, 168, 404, 17};
    chkWarning.value = 1;
    chkWarning.onClick = [this] { chkWarning_Click(); };
    cmdOK.caption = "OK";
    cmdOK.bounds = {332, 196, 80, 24};
    cmdOK.isDefault = true;
    cmdOK.onClick = [this] { cmdOK_Click(); };
}

void FrmWarning::Form_Load() {
    ApplyLangWarning(app);
    ApplyFont(*this);
}

void FrmWarning::chkWarning_Click() {
    if (chkWarning.value == 1) {
        WriteIni(settings::kFile, settings::kSectionWarning, settings::kReadmeStart,
                 settings::kYes);
    } else if (chkWarning.value == 0) {
        WriteIni(settings::kFile, settings::kSectionWarning, settings::kReadmeStart, settings::kNo);
    }
}

void FrmWarning::cmdOK_Click() {
    ShowInterface(app);
    app.unload(*this);
}
