// frmWarning: the start-up warning with its "show again" check box.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmWarning : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmWarning";
    explicit FrmWarning(ui::App& app);

    ui::Frame fraWarning{*this, "fraWarning"};
    ui::Label lblWarning{*this, "lblWarning", &fraWarning};
    ui::CheckBox chkWarning{*this, "chkWarning"};
    ui::Button cmdOK{*this, "cmdOK"};

    // Sets the texts and the chosen font.
    void Form_Load() override;
    // Stores at once whether the warning shows at the next start; a greyed box stores nothing.
    void chkWarning_Click();
    // Opens the start interface and closes the warning.
    void cmdOK_Click();
};
