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

namespace {

// The window classes, registered in this order.
template <class... Windows> struct WindowList {
    static void registerAll(ui::App& app) { (app.registerForm<Windows>(), ...); }
    static std::vector<std::string> names() { return {Windows::kFormName...}; }
    static std::unique_ptr<ui::Form> designed(ui::App& app, const std::string& name) {
        std::unique_ptr<ui::Form> made;
        ((made == nullptr&& name == Windows::kFormName ? made = std::make_unique<Windows>(app)
                                                       : made),
         ...);
        return made;
    }
};

using TarvexWindows = WindowList<FrmStart, FrmWarning, FrmOptions, FrmLanguage, FrmFont, FrmAbout,
                                 FrmMain, FrmAdvanced, FrmWiz1, FrmWiz2, FrmCC, FrmRestore,
                                 FrmRegRest, FrmClearB, FrmClearR, FrmClearL, FrmPreview>;

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
