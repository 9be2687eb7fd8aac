// Every window of Tarvex, registered by name: the one place that knows them all.
#include "startup/Windows.h"

#include "backup/FrmClearB.h"
#include "backup/FrmClearL.h"
#include "backup/FrmClearR.h"
#include "backup/FrmRegRest.h"
#include "backup/FrmRestore.h"
#include "cabcleaner/FrmCC.h"
#include "cleaning/FrmAdvanced.h"
#include "cleaning/FrmMain.h"
#include "cleaning/FrmWiz1.h"
#include "cleaning/FrmWiz2.h"
#include "language/FrmAbout.h"
#include "language/FrmFont.h"
#include "language/FrmLanguage.h"
#include "startup/FrmOptions.h"
#include "startup/FrmStart.h"
#include "startup/FrmWarning.h"
#include "ui/App.h"

void RegisterWindows(ui::App& app) {
    app.registerForm<FrmStart>();
    app.registerForm<FrmWarning>();
    app.registerForm<FrmOptions>();
    app.registerForm<FrmLanguage>();
    app.registerForm<FrmFont>();
    app.registerForm<FrmAbout>();
    app.registerForm<FrmMain>();
    app.registerForm<FrmAdvanced>();
    app.registerForm<FrmWiz1>();
    app.registerForm<FrmWiz2>();
    app.registerForm<FrmCC>();
    app.registerForm<FrmRestore>();
    app.registerForm<FrmRegRest>();
    app.registerForm<FrmClearB>();
    app.registerForm<FrmClearR>();
    app.registerForm<FrmClearL>();
}
