// frmFont: the choice of the font face; a save re-fonts the window that opened it.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmFont : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmFont";
    explicit FrmFont(ui::App& app);

    ui::Label lblfontInfo{*this, "lblfontInfo"};
    ui::ComboBox cboFont{*this, "cboFont", ui::ComboBox::Style::DropDownCombo};
    ui::Button cmdSave{*this, "cmdSave"};
    ui::Button cmdClose{*this, "cmdClose"};
    // The opener's window number, set before showing: "1" frmMain, "2" frmAdvanced, "3" frmWiz1.
    ui::Label lblfIdentify{*this, "lblfIdentify"};

    // Offers "Default" and "Tahoma" and selects the stored one.
    void Form_Load() override;
    // Save is offered only while a list entry is selected.
    void cboFont_Click();
    // Stores the selected entry, applies it to the opener and closes.
    void cmdSave_Click();
    // Closes without storing anything.
    void cmdClose_Click();
};
