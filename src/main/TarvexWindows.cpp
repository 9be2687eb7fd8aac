// Every window of Tarvex, registered by name: the one place that knows them all.
#include "main/TarvexWindows.h"

#include "backup/FrmClearB.h"
#include "backup/FrmClearL.h"
#include "backup/FrmClearR.h"
#include "backup/FrmRegRest.h"
#include "backup/FrmRestore.h"
#include "cabcleaner/FrmCC.h"
#include "cleaning/FrmAdvanced.h"
#include "cleaning/FrmMain.h"
#include "cleaning/FrmPreview.h"
#include "cleaning/FrmWiz1.h"
#include "cleaning/FrmWiz2.h"
#include "language/FrmAbout.h"
#include "language/FrmFont.h"
#include "language/FrmLanguage.h"
#include "startup/FrmOptions.h"
#include "startup/FrmStart.h"
#include "startup/FrmWarning.h"
#include "startup/Startup.h"
#include "ui/App.h"
#include "ui/WindowList.h"

namespace {

using TarvexWindows =
    ui::WindowList<FrmStart, FrmWarning, FrmOptions, FrmLanguage, FrmFont, FrmAbout, FrmMain,
                   FrmAdvanced, FrmWiz1, FrmWiz2, FrmCC, FrmRestore, FrmRegRest, FrmClearB,
                   FrmClearR, FrmClearL, FrmPreview>;

} // namespace

void RegisterWindows(ui::App& app) {
    TarvexWindows::registerAll(app);
}

const std::vector<std::string>& TarvexWindowNames() {
    static const std::vector<std::string> names = TarvexWindows::names();
    return names;
}

std::unique_ptr<ui::Form> DesignedWindow(ui::App& app, const std::string& name) {
    return TarvexWindows::designed(app, name);
}

void RunTarvex(ui::App& app) {
    RegisterWindows(app);
    StartTarvex(app);
}
