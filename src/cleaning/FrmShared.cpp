// The shared parts of the clean runs: load time, run settings, configuration lists, run objects.
#include "cleaning/FrmShared.h"

#include "base/General.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "cleaning/Engine.h"
#include "cleaning/RegSearch.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "packs/Configuration.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/App.h"

#include <cstdio>

namespace {

// Two digits with a leading zero.
std::string twoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string readProgramSetting(const char* key) {
    return ReadIni(settings::kFile, settings::kSectionProgram, key, settings::kMissing);
}

bool isYes(const std::string& value) {
    return value == settings::kYes;
}

} // namespace

LoadTime TakeLoadTime() {
    const platform::LocalTime now = platform::localTime();
    char year[16];
    std::snprintf(year, sizeof year, "%04d", now.year);
    const std::string hour = twoDigits(now.hour);
    const std::string minute = twoDigits(now.minute);
    const std::string second = twoDigits(now.second);
    LoadTime loaded;
    loaded.date = twoDigits(now.day) + "-" + twoDigits(now.month) + "-" + year;
    loaded.timeForLog = hour + ":" + minute + ":" + second;
    loaded.timeForName = hour + minute + second;
    return loaded;
}

bool RunSettings::anyBackup() const {
    return isYes(backupFiles) || isYes(backupDir) || isYes(backupReg);
}

bool RunSettings::any() const {
    return anyBackup() || isYes(logFile);
}

RunSettings ReadRunSettings() {
    RunSettings values;
    values.backupFiles = readProgramSetting(settings::kBackupFiles);
    values.backupDir = readProgramSetting(settings::kBackupDir);
    values.backupReg = readProgramSetting(settings::kBackupReg);
    values.logFile = readProgramSetting(settings::kLogFile);
    return values;
}

void ApplyRunSettings(RunContext& context, const RunSettings& settings) {
    context.backupFiles = isYes(settings.backupFiles);
    context.backupDir = isYes(settings.backupDir);
    context.backupReg = isYes(settings.backupReg);
    context.registryCounter = "0";
}

bool LoadConfigurationList(ui::Form& window, std::initializer_list<ui::ComboBox*> lists) {
    const std::vector<std::string> names = ListConfigurations();
    for (ui::ComboBox* list : lists) {
        for (const std::string& name : names) {
            list->addItem(name);
        }
        if (!names.empty()) {
            list->setListIndex(0);
        }
    }
    if (names.empty()) {
        window.app.msgBox(GetLangString(textid::kNoConfiguration),
                          GetLangString(textid::kErrorBoxTitle), ui::MsgBoxButtons::Ok,
                          ui::MsgBoxIcon::Critical, &window);
        return false;
    }
    return true;
}

std::string SelectedName(const ui::ComboBox& list) {
    return list.item(list.listIndex());
}

RunObjects::RunObjects() = default;

RunObjects::~RunObjects() = default;

void RunObjects::create() {
    decoderObject = std::make_unique<clsProtection>();
    cReg = std::make_unique<cRegSearch>();
    releaseAsked = false;
}

void RunObjects::release() {
    if (cReg != nullptr) {
        cReg->StopSearch();
    }
    if (activeRun != nullptr) {
        // The search is still on the stack below the pending messages that unloaded the
        // window: it must not be freed under it, and the run's later search lines find nothing.
        activeRun->search = nullptr;
        releaseAsked = true;
        return;
    }
    cReg.reset();
    decoderObject.reset();
}

void RunObjects::beginRun(RunContext& context) {
    context.search = cReg.get();
    activeRun = &context;
}

void RunObjects::endRun() {
    if (activeRun != nullptr) {
        activeRun->search = nullptr;
    }
    activeRun = nullptr;
    if (releaseAsked) {
        releaseAsked = false;
        release();
    }
}

void DeleteDecodedCopy(const std::string& name) {
    const std::string windowsFolder = GetWindowsFolder();
    if (!windowsFolder.empty()) {
        platform::deleteFile(windowsFolder + name);
    }
}
