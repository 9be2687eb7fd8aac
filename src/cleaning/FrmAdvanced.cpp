// The advanced cleaning window: layout, menus, the four slots and the window's own events.
#include "cleaning/FrmAdvanced.h"

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

#include <vector>

namespace {

void toggleEnabled(ui::Control& control) {
    control.enabled = !control.enabled;
}

constexpr int kSlots = 4;
// The log's name after the backup stamp.
constexpr const char* kLogSuffix = "_Advanced Cleaning";

} // namespace

FrmAdvanced::FrmAdvanced(ui::App& app)
    : ui::Form(app, kFormName), fraSelection(*this, "fraSelection"),
      picSelection(*this, "picSelection", &fraSelection),
      chkConfig1(*this, "chkConfig1", &picSelection),
      chkConfig2(*this, "chkConfig2", &picSelection),
      chkConfig3(*this, "chkConfig3", &picSelection),
      chkConfig4(*this, "chkConfig4", &picSelection),
      cboConfigs4(*this, "cboConfigs4", ui::ComboBox::Style::DropDownList, &picSelection),
      cboConfigs3(*this, "cboConfigs3", ui::ComboBox::Style::DropDownList, &picSelection),
      cboConfigs2(*this, "cboConfigs2", ui::ComboBox::Style::DropDownList, &picSelection),
      cboConfigs1(*this, "cboConfigs1", ui::ComboBox::Style::DropDownList, &picSelection),
      lstDetail(*this, "lstDetail"), cmdClose(*this, "cmdClose"), cmdClean(*this, "cmdClean"),
      lstDetails(*this, "lstDetails"), lblStatusFile(*this, "lblStatusFile"),
      lblDetinfo(*this, "lblDetinfo"), lblStatus(*this, "lblStatus"), lblGPU(*this, "lblGPU"),
      lblDetails(*this, "lblDetails"), lblOS(*this, "lblOS"), menus(*this, kWindowNumberAdvanced) {
    caption = "Tarvex";
    bounds = {0, 0, 480, 464};

    lblOS.bounds = {8, 8, 464, 13};
    lblGPU.bounds = {8, 26, 464, 13};

    // Two slots a row: 1 and 2 above, 3 and 4 below; the check boxes carry no caption.
    fraSelection.caption = "Select Cleaning Filters";
    fraSelection.bounds = {8, 46, 464, 80};
    picSelection.bounds = {8, 18, 448, 54};
    chkConfig1.bounds = {0, 2, 16, 17};
    cboConfigs1.bounds = {20, 0, 200, 21};
    chkConfig2.bounds = {228, 2, 16, 17};
    cboConfigs2.bounds = {248, 0, 200, 21};
    chkConfig3.bounds = {0, 34, 16, 17};
    cboConfigs3.bounds = {20, 32, 200, 21};
    chkConfig4.bounds = {228, 34, 16, 17};
    cboConfigs4.bounds = {248, 32, 200, 21};
    for (ui::ComboBox* slotList : {&cboConfigs1, &cboConfigs2, &cboConfigs3, &cboConfigs4}) {
        slotList->enabled = false;
    }

    lblStatusFile.bounds = {8, 139, 290, 13};
    cmdClean.caption = "Clean";
    cmdClean.bounds = {306, 134, 80, 23};
    cmdClose.caption = "Close";
    cmdClose.bounds = {392, 134, 80, 23};
    lblStatus.bounds = {8, 166, 464, 13};
    lblDetails.caption = "Details:";
    lblDetails.bounds = {8, 188, 464, 13};
    lstDetail.bounds = {8, 204, 464, 124};
    lstDetail.foreColor = ui::rgb(0, 128, 0);
    lstDetails.bounds = {8, 332, 464, 104};
    lstDetails.foreColor = ui::rgb(255, 0, 0);
    lblDetinfo.caption = "For information, look at the help file (F1).";
    lblDetinfo.bounds = {8, 443, 464, 13};

    chkConfig1.onClick = [this] { chkConfig1_Click(); };
    chkConfig2.onClick = [this] { chkConfig2_Click(); };
    chkConfig3.onClick = [this] { chkConfig3_Click(); };
    chkConfig4.onClick = [this] { chkConfig4_Click(); };
    cmdClean.onClick = [this] { cmdClean_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
    menus.mnuFileClean.onClick = [this] { cmdClean_Click(); };
    menus.mnuFilePreview.onClick = [this] { mnuFilePreview_Click(); };
    menus.mnuFileExit.onClick = [this] { cmdClose_Click(); };
}

void FrmAdvanced::Form_Load() {
    ApplyLangAdvanced(app);
    ApplyFont(*this);
    prepareCleaning();
}

void FrmAdvanced::Form_Unload() {
    releaseCleaning();
    RemoveLangFile();
    // A run that was cut short may have left its decoded configuration behind.
    DeleteDecodedCopy("\\xttxf.dll");
}

void FrmAdvanced::chkConfig1_Click() {
    toggleEnabled(cboConfigs1);
}

void FrmAdvanced::chkConfig2_Click() {
    toggleEnabled(cboConfigs2);
}

void FrmAdvanced::chkConfig3_Click() {
    toggleEnabled(cboConfigs3);
}

void FrmAdvanced::chkConfig4_Click() {
    toggleEnabled(cboConfigs4);
}

void FrmAdvanced::cmdClean_Click() {
    if (!ConfirmClean(*this)) {
        return;
    }
    cleanRun();
}

void FrmAdvanced::cmdClose_Click() {
    app.unload(*this);
}

void FrmAdvanced::mnuFilePreview_Click() {
    // The checked slots in slot order, as the clean run would take them.
    std::vector<std::string> names;
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (slotBox(slot).value == 1) {
            names.push_back(SelectedName(slotList(slot)));
        }
    }
    enableRunCommands(false);
    const std::vector<RunItem> items = PreviewConfigurations(objects, names);
    enableRunCommands(true);
    // Closed from within the search's pending messages: nobody is left to own the preview.
    if (app.isLoaded(*this)) {
        ShowPreview(*this, names, items);
    }
}

void FrmAdvanced::prepareCleaning() {
    objects.create();
    ShowOSInfo2(*this);
    lblGPU.caption = GetDisplayAdapterName();
    loaded = TakeLoadTime();
    if (!LoadConfigurationList(*this, {&cboConfigs1, &cboConfigs2, &cboConfigs3, &cboConfigs4})) {
        cmdClean.enabled = false;
        menus.mnuFileClean.enabled = false;
        menus.mnuFilePreview.enabled = false;
    }
}

void FrmAdvanced::releaseCleaning() {
    objects.release();
}

ui::CheckBox& FrmAdvanced::slotBox(int number) {
    ui::CheckBox* boxes[kSlots] = {&chkConfig1, &chkConfig2, &chkConfig3, &chkConfig4};
    return *boxes[number - 1];
}

ui::ComboBox& FrmAdvanced::slotList(int number) {
    ui::ComboBox* lists[kSlots] = {&cboConfigs1, &cboConfigs2, &cboConfigs3, &cboConfigs4};
    return *lists[number - 1];
}

void FrmAdvanced::enableRunCommands(bool enabled) {
    for (ui::Control* command : std::initializer_list<ui::Control*>{
             &cmdClean, &cmdClose, &menus.mnuFileClean, &menus.mnuFilePreview, &menus.mnuFileExit,
             &menus.mnuToolsCab}) {
        command->enabled = enabled;
    }
}

void FrmAdvanced::cleanRun() {
    const RunSettings values = ReadRunSettings();
    lblStatus.caption = GetLangString(textid::kCleanStarted);
    RunContext context;
    context.backupStamp = loaded.stamp();
    enableRunCommands(false);
    lstDetail.clear();
    lstDetails.clear();
    context.foundList = &lstDetail;
    context.missingList = &lstDetails;
    objects.beginRun(context);
    for (int slot = 1; slot <= kSlots; ++slot) {
        if (slotBox(slot).value != 1) {
            continue;
        }
        currentSlot = std::to_string(slot);
        context.configurationName = SelectedName(slotList(slot));
        // Every configuration starts its own registry backup count.
        ApplyRunSettings(context, values);
        if (values.any()) {
            PrepareBackupFolders(context.backupStamp, context.configurationName, values.backupFiles,
                                 values.backupDir, values.backupReg, values.logFile);
        }
        lblStatusFile.caption = GetLangString(textid::kCleaningWithBefore) + " " +
                                context.configurationName + " " +
                                GetLangString(textid::kCleaningWithAfter);
        CleanConfiguration(EngineSections(context), *objects.decoder(), context.configurationName,
                           GetWindowsFolder() + "\\xttxf.dll");
    }
    objects.endRun();
    if (values.anyBackup()) {
        PruneEmptyFolders(platform::programFolder() + "\\Backup\\");
    }
    lblStatus.caption = GetLangString(textid::kCleanFinished);
    lblStatusFile.caption.clear();
    if (values.logFile == settings::kYes) {
        std::vector<std::string> slotLines;
        for (int slot = 1; slot <= kSlots; ++slot) {
            slotLines.push_back(slotBox(slot).value == 1 ? "- " + SelectedName(slotList(slot))
                                                         : "- ");
        }
        WriteCleanLog(context.backupStamp, kLogSuffix, loaded.date, loaded.timeForLog, slotLines,
                      lstDetail.items());
    }
    enableRunCommands(true);
}
