// frmLanguage: the choice of the language file; a save re-texts the window that opened it.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmLanguage : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmLanguage";
    explicit FrmLanguage(ui::App& app);

    ui::Label lbllngInfo{*this, "lbllngInfo"};
    ui::ComboBox cboLanguage{*this, "cboLanguage", ui::ComboBox::Style::DropDownList};
    ui::Button cmdSave{*this, "cmdSave"};
    ui::Button cmdClose{*this, "cmdClose"};
    // The opener's window number, set before showing: "1" frmMain, "2" frmAdvanced, "3" frmWiz1.
    ui::Label lblfIdentify{*this, "lblfIdentify"};

    // Lists the installed languages and selects the stored one; with none installed, says so
    // and leaves Save disabled.
    void Form_Load() override;
    // Save is offered only while a language is selected.
    void cboLanguage_Click();
    // Stores the selected language, drops the old decoded copy, re-texts the opener and closes.
    void cmdSave_Click();
    // Closes without storing anything.
    void cmdClose_Click();
};
