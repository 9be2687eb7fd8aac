// The normal cleaning window: layout, menus and the window's own events.
#include "cleaning/FrmMain.h"

#include "backup/Backup.h"
#include "base/Folders.h"
#include "base/Font.h"
#include "base/General.h"
#include "base/Settings.h"
#include "cleaning/CleanLog.h"
#include "cleaning/Display.h"
#include "cleaning/Engine.h"
#include "cleaning/PreviewList.h"
#include "language/ApplyLang.h"
#include "language/Language.h"
#include "language/OSLine.h"
#include "language/Prompts.h"
#include "language/TextIds.h"
#include "packs/Configuration.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/App.h"

FrmMain::FrmMain(ui::App& app)
    : ui::Form(app, kFormName), lblOS(*this, "lblOS"), lblGPU(*this, "lblGPU"),
      cboConfigs(*this, "cboConfigs", ui::ComboBox::Style::DropDownList),
      cmdClean(*this, "cmdClean"), cmdClose(*this, "cmdClose"), lblStatus(*this, "lblStatus"),
      lblDetails(*this, "lblDetails"), lblDetinfo(*this, "lblDetinfo"),
      lstDetail(*this, "lstDetail"), lstDetails(*this, "lstDetails"),
      menus(*this, kWindowNumberMain) {
    caption = "Tarvex";
    bounds = {0, 0, 480, 404};

    lblOS.bounds = {8, 8, 464, 13};
    lblGPU.bounds = {8, 26, 464, 13};
    cboConfigs.bounds = {8, 48, 292, 21};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {306, 47, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 47, 80, 23};
    lblStatus.bounds = {8, 80, 464, 13};
    lblDetails.caption = "Details:";
    lblDetails.bounds = {8, 102, 464, 13};
    lstDetail.bounds = {8, 118, 464, 134};
    lstDetail.foreColor = ui::rgb(0, 128, 0);
    lstDetails.bounds = {8, 256, 464, 114};
    lstDetails.foreColor = ui::rgb(255, 0, 0);
    lblDetinfo.caption = "For information, look at the help file (F1).";
    lblDetinfo.bounds = {8, 380, 464, 13};

    cmdClean.onClick = [this] { cmdClean_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    menus.mnuFileClean.onClick = [this] { cmdClean_Click(); };
    menus.mnuFilePreview.onClick = [this] { mnuFilePreview_Click(); };
    menus.mnuFileExit.onClick = [this] { cmdClose_Click(); };
}

void FrmMain::Form_Load() {
    ApplyLangMain(app);
    ApplyFont(*this);
    prepareCleaning();
}

void FrmMain::Form_Unload() {
    releaseCleaning();
    RemoveLangFile();
    // A run that was cut short may have left its decoded configuration behind.
    DeleteDecodedCopy("\\xttxf.dll");
}

void FrmMain::cmdClean_Click() {
    if (!ConfirmClean(*this)) {
        return;
    }
    cleanRun();
}

void FrmMain::cmdClose_Click() {
    app.unload(*this);
}

void FrmMain::mnuFilePreview_Click() {
    const std::vector<std::string> names{SelectedName(cboConfigs)};
    enableRunCommands(false);
    const std::vector<RunItem> items = PreviewConfigurations(objects, names);
    enableRunCommands(true);
    // Closed from within the search's pending messages: nobody is left to own the preview.
    if (app.isLoaded(*this)) {
        ShowPreview(*this, names, items);
    }
}

void FrmMain::prepareCleaning() {
    objects.create();
    ShowOSInfo(*this);
    lblGPU.caption = GetDisplayAdapterName();
    loaded = TakeLoadTime();
    if (!LoadConfigurationList(*this, {&cboConfigs})) {
        cmdClean.enabled = false;
        menus.mnuFileClean.enabled = false;
        menus.mnuFilePreview.enabled = false;
    }
}

void FrmMain::releaseCleaning() {
    objects.release();
}

void FrmMain::enableRunCommands(bool enabled) {
    for (ui::Control* command : std::initializer_list<ui::Control*>{
             &cmdClean, &cmdClose, &menus.mnuFileClean, &menus.mnuFilePreview, &menus.mnuFileExit,
             &menus.mnuToolsCab}) {
        command->enabled = enabled;
    }
}

void FrmMain::cleanRun() {
    const RunSettings values = ReadRunSettings();
    lblStatus.caption = GetLangString(textid::kCleanStarted);
    RunContext context;
    context.configurationName = SelectedName(cboConfigs);
    context.backupStamp = loaded.stamp();
    enableRunCommands(false);
    lstDetail.clear();
    lstDetails.clear();
    ApplyRunSettings(context, values);
    context.foundList = &lstDetail;
    context.missingList = &lstDetails;
    if (values.any()) {
        PrepareBackupFolders(context.backupStamp, context.configurationName, values.backupFiles,
                             values.backupDir, values.backupReg, values.logFile);
    }
    objects.beginRun(context);
    CleanConfiguration(EngineSections(context), *objects.decoder(), context.configurationName,
                       GetWindowsFolder() + "\\xttxf.dll");
    objects.endRun();
    if (values.anyBackup()) {
        PruneEmptyFolders(platform::programFolder() + "\\Backup\\");
    }
    lblStatus.caption = GetLangString(textid::kCleanFinished);
    if (values.logFile == settings::kYes) {
        WriteCleanLog(context.backupStamp, "_" + context.configurationName, loaded.date,
                      loaded.timeForLog, {}, lstDetail.items());
    }
    enableRunCommands(true);
}
