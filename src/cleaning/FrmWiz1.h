// The wizard's first page: choose the configuration to clean with.
#pragma once

#include "ui/Form.h"

class FrmWiz1 : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmWiz1";

    explicit FrmWiz1(ui::App& app);

    ui::Button cmdCancel;
    ui::Button cmdNext;
    ui::Frame fraWiz1;
    ui::ComboBox cboConfigsWiz;
    ui::Label lblWizFilInfo;
    ui::Label lblWizInfo;
    ui::MenuItem mnuOptions;
    ui::MenuItem mnuOptionsLanguage;
    ui::MenuItem mnuOptionsOptions;
    ui::MenuItem mnuOptionsFont;

    // Texts, font, then the configuration list.
    void Form_Load() override;

    // Leaves the wizard for the cleaning window that "Interface" names.
    void cmdCancel_Click();
    // Goes to the second page with the chosen configuration.
    void cmdNext_Click();
    // Opens frmLanguage modally with window number "3".
    void mnuOptionsLanguage_Click();
    // Opens frmOptions modally.
    void mnuOptionsOptions_Click();
    // Opens frmFont modally with window number "3".
    void mnuOptionsFont_Click();

  private:
    // Fills cboConfigsWiz with the configurations of the program folder and selects the first;
    // with none, tells the user and disables cmdNext.
    void loadConfigurations();
};
