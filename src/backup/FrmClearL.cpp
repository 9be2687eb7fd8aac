// The window that deletes clean logs: which logs, and how one goes.
#include "backup/FrmClearL.h"

#include "base/General.h"
#include "language/ApplyLang.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace {

const FrmClear::Design kDesign = {FrmClearL::kFormName,
                                  "Tarvex Log Cleaner",
                                  "fraLogCleanOpt",
                                  "Cleaning Options",
                                  "lblBackupClearInfo",
                                  "Select the log file(s) and press delete !",
                                  "lstLog"};

std::string logFolder() {
    return platform::programFolder() + "\\Log";
}

} // namespace

FrmClearL::FrmClearL(ui::App& app) : FrmClear(app, kDesign) {}

void FrmClearL::applyTexts() {
    ApplyLangClearL(app);
}

std::vector<std::string> FrmClearL::entries() const {
    std::vector<std::string> logs;
    std::vector<platform::FindEntry> found;
    if (!FolderExists(logFolder()) ||
        platform::findFiles(logFolder() + "\\*.log", found) != platform::kOk) {
        return logs;
    }
    for (const platform::FindEntry& entry : found) {
        // Ordinary files only: hidden, system and folder entries are not listed.
        if ((entry.attributes &
             (platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory)) == 0) {
            logs.push_back(entry.name.substr(0, entry.name.rfind('.')));
        }
    }
    return logs;
}

void FrmClearL::deleteEntry(const std::string& entry) {
    platform::deleteFile(logFolder() + "\\" + entry + ".log");
}
