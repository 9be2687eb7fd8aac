// The options window: reads the six settings at load and writes each one when its option is
// clicked.
#include "startup/FrmOptions.h"

#include "base/Font.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "language/ApplyLang.h"
#include "ui/App.h"

namespace {

constexpr int kFrameWidth = 384;
constexpr int kFrameHeight = 42;
constexpr int kFrameSpacing = 48;

} // namespace

FrmOptions::FrmOptions(ui::App& app)
    : ui::Form(app, kFormName), groups{{fraInterface, picInterface, optGUINorm, optGUIAdv,
                                        settings::kInterface, settings::kNormal,
                                        settings::kAdvanced},
                                       {fraWiz, picWiz, optWizSYes, optWizSNo, settings::kWizard,
                                        settings::kYes, settings::kNo},
                                       {fraFileBackup, picFileBackup, optFileBYes, optFileBNo,
                                        settings::kBackupFiles, settings::kYes, settings::kNo},
                                       {fraDirBackup, picDirBackup, optDirBYes, optDirBNo,
                                        settings::kBackupDir, settings::kYes, settings::kNo},
                                       {fraRegBackup, picRegBackup, optRegBYes, optRegBNo,
                                        settings::kBackupReg, settings::kYes, settings::kNo},
                                       {fraLogFile, picLogFile, optLogYes, optLogNo,
                                        settings::kLogFile, settings::kYes, settings::kNo}} {
    caption = "Tarvex Options";
    bounds = {0, 0, 400, 398};
    fraInterface.caption = "Program Interface";
    fraWiz.caption = "Start Wizard at Startup";
    fraFileBackup.caption = "Backup Deleted Files";
    fraDirBackup.caption = "Backup Deleted Directories";
    fraRegBackup.caption = "Backup Deleted Registry";
    fraLogFile.caption = "Keep Log File From Deleted Files / Directories";
    int top = 8;
    for (Group& group : groups) {
        group.frame.bounds = {8, top, kFrameWidth, kFrameHeight};
        group.container.bounds = {8, 16, kFrameWidth - 16, 20};
        group.first.bounds = {0, 2, 130, 17};
        group.second.bounds = {140, 2, 130, 17};
        // The designed English captions are the very values the options store.
        group.first.caption = group.firstValue;
        group.second.caption = group.secondValue;
        const char* key = group.key;
        const char* firstValue = group.firstValue;
        const char* secondValue = group.secondValue;
        group.first.onClick = [key, firstValue] {
            WriteIni(settings::kFile, settings::kSectionProgram, key, firstValue);
        };
        group.second.onClick = [key, secondValue] {
            WriteIni(settings::kFile, settings::kSectionProgram, key, secondValue);
        };
        top += kFrameSpacing;
    }
    lblBackupInfo.caption = "The backup and log options will not work in the wizard !";
    lblBackupInfo.bounds = {8, top + 2, kFrameWidth, 28};
    lblOptionsInfo.caption =
        "For the Program Interface changes to take effect, close the program and start it again !";
    lblOptionsInfo.bounds = {8, top + 34, kFrameWidth, 28};
    cmdClose.caption = "Close";
    cmdClose.bounds = {312, top + 70, 80, 24};
    cmdClose.isCancel = true;
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmOptions::Form_Load() {
    ApplyLangOptions(app);
    ApplyFont(*this);
    for (Group& group : groups) {
        const std::string stored =
            ReadIni(settings::kFile, settings::kSectionProgram, group.key, settings::kMissing);
        // Exact, case-sensitive matches only: any other value selects neither option.
        if (stored == group.firstValue) {
            group.first.select();
        } else if (stored == group.secondValue) {
            group.second.select();
        }
    }
}

void FrmOptions::cmdClose_Click() {
    app.unload(*this);
}
