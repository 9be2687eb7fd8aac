// The about window of Tarvex, in the chosen language.
#include "language/FrmAbout.h"

#include "base/Font.h"
#include "language/ApplyLang.h"

FrmAbout::FrmAbout(ui::App& app) : AboutWindow(app, kFormName, "Tarvex - display driver remover") {
    lblVersion.caption = "Version 2.7";
}

void FrmAbout::Form_Load() {
    ApplyLangAbout(app);
    ApplyFont(*this);
}
