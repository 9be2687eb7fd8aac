// Program start and the choice of the start window by the settings.
#include "startup/Startup.h"

#include "language/Language.h"
#include "packs/PackError.h"
#include "startup/FrmStart.h"
#include "startup/Ini.h"
#include "startup/Settings.h"
#include "startup/Windows.h"
#include "ui/App.h"

namespace {

// Loads and shows the window called `name`. The window is looked up again after loading because
// a window may unload itself while it loads.
void showWindow(ui::App& app, const char* name) {
    app.formNamed(name);
    if (ui::Form* form = app.findForm(name)) {
        app.showModeless(*form);
    }
}

} // namespace

void StartTarvex(ui::App& app) {
    RegisterWindows(app);
    packs::setDescriptionLookup(GetLangString);
    showWindow(app, FrmStart::kFormName);
}

void ShowInterface(ui::App& app) {
    const std::string wizard =
        ReadIni(settings::kFile, settings::kSectionProgram, settings::kWizard, settings::kMissing);
    if (wizard == settings::kYes) {
        showWindow(app, "frmWiz1");
    } else if (wizard == settings::kNo) {
        ShowCleaningWindow(app);
    }
}

void ShowCleaningWindow(ui::App& app) {
    const std::string userInterface = ReadIni(settings::kFile, settings::kSectionProgram,
                                              settings::kInterface, settings::kMissing);
    if (userInterface == settings::kNormal) {
        showWindow(app, "frmMain");
    } else if (userInterface == settings::kAdvanced) {
        showWindow(app, "frmAdvanced");
    }
}
