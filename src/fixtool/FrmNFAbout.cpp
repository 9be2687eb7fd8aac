// Quellix's about window, in its fixed English wording.
#include "fixtool/FrmNFAbout.h"

#include "base/Font.h"
#include "fixtool/Quellix.h"

FrmNFAbout::FrmNFAbout(ui::App& app)
    : AboutWindow(app, kFormName, "Quellix - AGP fix for NVIDIA drivers") {
    caption = "About Quellix";
}

void FrmNFAbout::Form_Load() {
    ApplyFont(*this, quellix::kSettingsFile);
    lblVersion.caption = std::string(quellix::kTitle) + " " + quellix::VersionText();
}
