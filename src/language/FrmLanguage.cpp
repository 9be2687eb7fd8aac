// The language window: lists the ".lng" files of the program folder and stores the choice.
#include "language/FrmLanguage.h"

#include "base/Font.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "language/ApplyLang.h"
#include "language/ChoiceWindow.h"
#include "language/Language.h"
#include "language/TextIds.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/App.h"

#include <vector>

FrmLanguage::FrmLanguage(ui::App& app) : ui::Form(app, kFormName) {
    caption = "Tarvex Language";
    lbllngInfo.caption = "Select your preferable language !";
    layOutChoiceWindow(*this, lbllngInfo, cboLanguage, cmdSave, cmdClose, lblfIdentify);
    cboLanguage.onChange = [this] { cboLanguage_Click(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmLanguage::Form_Load() {
    ApplyLangLanguage(app);
    ApplyFont(*this);
    std::vector<platform::FindEntry> entries;
    platform::findFiles(platform::programFolder() + "\\*.lng", entries);
    for (const platform::FindEntry& entry : entries) {
        // Only ordinary files count as installed languages, as a plain directory listing shows.
        if ((entry.attributes &
             (platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem)) != 0) {
            continue;
        }
        cboLanguage.addItem(entry.name.substr(0, entry.name.rfind('.')));
    }
    if (cboLanguage.listCount() == 0) {
        app.msgBox(GetLangString(textid::kNoLanguageFile), GetLangString(textid::kErrorBoxTitle),
                   ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::Critical, this);
        cmdSave.enabled = false;
        return;
    }
    const std::string stored = ReadIni(settings::kFile, settings::kSectionLanguage,
                                       settings::kCurrentLanguage, settings::kMissing);
    for (int index = 0; index < cboLanguage.listCount(); ++index) {
        if (cboLanguage.item(index) == stored) {
            cboLanguage.setListIndex(index);
            cboLanguage.text = stored;
            break;
        }
    }
    cboLanguage_Click();
}

void FrmLanguage::cboLanguage_Click() {
    cmdSave.enabled = cboLanguage.listIndex() >= 0;
}

void FrmLanguage::cmdSave_Click() {
    if (cboLanguage.listIndex() < 0) {
        return;
    }
    WriteIni(settings::kFile, settings::kSectionLanguage, settings::kCurrentLanguage,
             cboLanguage.item(cboLanguage.listIndex()));
    RemoveLangFile();
    // Only the opener is re-texted; its first lookup decodes the new language.
    const std::string& opener = lblfIdentify.caption;
    if (opener == "1") {
        ApplyLangMain(app);
    } else if (opener == "2") {
        ApplyLangAdvanced(app);
    } else if (opener == "3") {
        ApplyLangWiz1(app);
    }
    app.unload(*this);
}

void FrmLanguage::cmdClose_Click() {
    app.unload(*this);
}
