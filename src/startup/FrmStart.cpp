// The splash window: single instance, default settings, countdown to the next window.
#include "startup/FrmStart.h"

#include "base/Ini.h"
#include "base/Settings.h"
#include "base/Version.h"
#include "platform/System.h"
#include "startup/FrmWarning.h"
#include "startup/Startup.h"
#include "ui/App.h"

#include <string>

namespace {

struct DefaultSetting {
    const char* section;
    const char* key;
    const char* value;
};

// Written in this order, each only when missing, so a first start lays the file out this way.
constexpr DefaultSetting kDefaults[] = {
    {settings::kSectionProgram, settings::kInterface, settings::kNormal},
    {settings::kSectionProgram, settings::kWizard, settings::kNo},
    {settings::kSectionProgram, settings::kLogFile, settings::kNo},
    {settings::kSectionProgram, settings::kBackupFiles, settings::kNo},
    {settings::kSectionProgram, settings::kBackupDir, settings::kNo},
    {settings::kSectionProgram, settings::kBackupReg, settings::kNo},
    {settings::kSectionWarning, settings::kReadmeStart, settings::kYes},
    {settings::kSectionLanguage, settings::kCurrentLanguage, "English"},
};

constexpr int kCountdownTicks = 2;
constexpr int kTickMilliseconds = 1000;

} // namespace

FrmStart::FrmStart(ui::App& app) : ui::Form(app, kFormName) {
    hasTitleBar = false;
    hasCloseBox = false;
    bounds = {0, 0, 360, 200};
    imgStart.bounds = {0, 0, 360, 200};
    imgStart.resource = "Splash";
    imgStart.words = {"Tarvex", "Display driver cleaner",
                      "Version " + std::to_string(kMajorVersion) + "." +
                          std::to_string(kMinorVersion)};
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmStart::Form_Load() {
    if (platform::anotherInstanceRunning("Tarvex")) {
        app.unload(*this);
        return;
    }
    for (const DefaultSetting& setting : kDefaults) {
        // Only a missing key is filled in: a present but unexpected value stays as the user left
        // it.
        if (ReadIni(settings::kFile, setting.section, setting.key, settings::kMissing) ==
            settings::kMissing) {
            WriteIni(settings::kFile, setting.section, setting.key, setting.value);
        }
    }
    countdown = kCountdownTicks;
    Timer1.interval = kTickMilliseconds;
    Timer1.enabled = true;
}

void FrmStart::Timer1_Timer() {
    --countdown;
    if (countdown > 0) {
        return;
    }
    Timer1.enabled = false;
    // The next window is shown before the splash goes, so the program does not end in between.
    if (ReadIni(settings::kFile, settings::kSectionWarning, settings::kReadmeStart,
                settings::kMissing) != settings::kYes) {
        ShowInterface(app);
    } else {
        app.show<FrmWarning>();
    }
    app.unload(*this);
}
