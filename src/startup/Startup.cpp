// Program start and the choice of the start window by the settings.
#include "startup/Startup.h"

#include "base/Ini.h"
#include "base/Settings.h"
#include "language/Language.h"
#include "packs/PackError.h"
#include "startup/FrmStart.h"
#include "ui/App.h"

void StartTarvex(ui::App& app) {
    packs::setDescriptionLookup(GetLangString);
    app.showNamed(FrmStart::kFormName);
}

void ShowInterface(ui::App& app) {
    const std::string wizard =
        ReadIni(settings::kFile, settings::kSectionProgram, settings::kWizard, settings::kMissing);
    if (wizard == settings::kYes) {
        app.showNamed("frmWiz1");
    } else if (wizard == settings::kNo) {
        ShowCleaningWindow(app);
    }
}

void ShowCleaningWindow(ui::App& app) {
    const std::string userInterface = ReadIni(settings::kFile, settings::kSectionProgram,
                                              settings::kInterface, settings::kMissing);
    if (userInterface == settings::kNormal) {
        app.showNamed("frmMain");
    } else if (userInterface == settings::kAdvanced) {
        app.showNamed("frmAdvanced");
    }
}
