// frmOptions: the six "PROGRAM" settings as pairs of option buttons, each written when clicked.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmOptions : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmOptions";
    explicit FrmOptions(ui::App& app);

    // Each pair sits in a container of its own inside its frame, so each pair is exclusive.
    ui::Frame fraInterface{*this, "fraInterface"};
    ui::Picture picInterface{*this, "picInterface", &fraInterface};
    ui::OptionButton optGUINorm{*this, "optGUINorm", &picInterface};
    ui::OptionButton optGUIAdv{*this, "optGUIAdv", &picInterface};
    ui::Frame fraWiz{*this, "fraWiz"};
    ui::Picture picWiz{*this, "picWiz", &fraWiz};
    ui::OptionButton optWizSYes{*this, "optWizSYes", &picWiz};
    ui::OptionButton optWizSNo{*this, "optWizSNo", &picWiz};
    ui::Frame fraFileBackup{*this, "fraFileBackup"};
    ui::Picture picFileBackup{*this, "picFileBackup", &fraFileBackup};
    ui::OptionButton optFileBYes{*this, "optFileBYes", &picFileBackup};
    ui::OptionButton optFileBNo{*this, "optFileBNo", &picFileBackup};
    ui::Frame fraDirBackup{*this, "fraDirBackup"};
    ui::Picture picDirBackup{*this, "picDirBackup", &fraDirBackup};
    ui::OptionButton optDirBYes{*this, "optDirBYes", &picDirBackup};
    ui::OptionButton optDirBNo{*this, "optDirBNo", &picDirBackup};
    ui::Frame fraRegBackup{*this, "fraRegBackup"};
    ui::Picture picRegBackup{*this, "picRegBackup", &fraRegBackup};
    ui::OptionButton optRegBYes{*this, "optRegBYes", &picRegBackup};
    ui::OptionButton optRegBNo{*this, "optRegBNo", &picRegBackup};
    ui::Frame fraLogFile{*this, "fraLogFile"};
    ui::Picture picLogFile{*this, "picLogFile", &fraLogFile};
    ui::OptionButton optLogYes{*this, "optLogYes", &picLogFile};
    ui::OptionButton optLogNo{*this, "optLogNo", &picLogFile};
    ui::Label lblBackupInfo{*this, "lblBackupInfo"};
    ui::Label lblOptionsInfo{*this, "lblOptionsInfo"};
    ui::Button cmdClose{*this, "cmdClose"};

    // Sets texts and font, then selects in each pair the option whose value is stored.
    void Form_Load() override;
    // Closes the window; every choice is already stored.
    void cmdClose_Click();

  private:
    // One pair of options and the key they write.
    struct Group {
        ui::Frame& frame;
        ui::Picture& container;
        ui::OptionButton& first;
        ui::OptionButton& second;
        const char* key;
        const char* firstValue;
        const char* secondValue;
    };
    // The pairs in the order they are read at load.
    Group groups[6];
};
