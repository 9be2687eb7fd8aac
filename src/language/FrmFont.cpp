// The font window: "Default" or "Tahoma", stored under "Name" in section "FONT".
#include "language/FrmFont.h"

#include "base/Font.h"
#include "base/Ini.h"
#include "base/Settings.h"
#include "language/ApplyLang.h"
#include "language/ChoiceWindow.h"
#include "ui/App.h"

FrmFont::FrmFont(ui::App& app) : ui::Form(app, kFormName) {
    caption = "Tarvex Font";
    lblfontInfo.caption = "Select your preferable font !";
    layOutChoiceWindow(*this, lblfontInfo, cboFont, cmdSave, cmdClose, lblfIdentify);
    cboFont.onChange = [this] { cboFont_Click(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void FrmFont::Form_Load() {
    ApplyLangFont(app);
    ApplyFont(*this);
    cboFont.addItem(settings::kDefaultFont);
    cboFont.addItem("Tahoma");
    const std::string stored =
        ReadIni(settings::kFile, settings::kSectionFont, settings::kFontName, settings::kMissing);
    for (int index = 0; index < cboFont.listCount(); ++index) {
        if (cboFont.item(index) == stored) {
            cboFont.setListIndex(index);
            cboFont.text = stored;
            break;
        }
    }
    cboFont_Click();
}

void FrmFont::cboFont_Click() {
    cmdSave.enabled = cboFont.listIndex() >= 0;
}

void FrmFont::cmdSave_Click() {
    // Only a list entry is ever stored: text typed into the box is not a font choice.
    if (cboFont.listIndex() < 0) {
        return;
    }
    WriteIni(settings::kFile, settings::kSectionFont, settings::kFontName,
             cboFont.item(cboFont.listIndex()));
    const char* opener = nullptr;
    if (lblfIdentify.caption == "1") {
        opener = "frmMain";
    } else if (lblfIdentify.caption == "2") {
        opener = "frmAdvanced";
    } else if (lblfIdentify.caption == "3") {
        opener = "frmWiz1";
    }
    if (opener != nullptr) {
        if (ui::Form* form = app.findForm(opener)) {
            ApplyFont(*form);
        }
    }
    app.unload(*this);
}

void FrmFont::cmdClose_Click() {
    app.unload(*this);
}
