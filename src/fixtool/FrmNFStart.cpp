// Quellix's splash window and its countdown.
#include "fixtool/FrmNFStart.h"

#include "fixtool/FrmNFMain.h"
#include "fixtool/Quellix.h"
#include "ui/App.h"

namespace {

constexpr int kCountdownTicks = 2;
constexpr int kTickMilliseconds = 1000;

} // namespace

FrmNFStart::FrmNFStart(ui::App& app) : ui::Form(app, kFormName) {
    hasTitleBar = false;
    hasCloseBox = false;
    bounds = {0, 0, 360, 200};
    imgStart.bounds = {0, 0, 360, 200};
    imgStart.resource = "Splash";
    imgStart.words = {quellix::kTitle, "AGP fix for NVIDIA drivers",
                      "Version " + quellix::VersionText()};
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmNFStart::Form_Load() {
    countdown = kCountdownTicks;
    Timer1.interval = kTickMilliseconds;
    Timer1.enabled = true;
}

void FrmNFStart::Timer1_Timer() {
    --countdown;
    if (countdown > 0) {
        return;
    }
    Timer1.enabled = false;
    // The main window is shown before the splash goes, so the program does not end in between.
    app.show<FrmNFMain>();
    app.unload(*this);
}
