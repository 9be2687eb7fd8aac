// The window that deletes registry backup sets.
#pragma once

#include "ui/Form.h"

class FrmClearR : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmClearR";

    explicit FrmClearR(ui::App& app);

    ui::Frame fraRegBackupCleanOpt;
    ui::Label lblGegBackupClearInfo;
    ui::ListBox lstRegBackup;
    ui::Button cmdDelete;
    ui::Button cmdSelectAll;
    ui::Button cmdSelectNon;
    ui::Button cmdClose;

    // Texts, font, then the list filled from the disk.
    void Form_Load() override;

    // Deletes the selected set folders with everything in them, then lists again what is left.
    void cmdDelete_Click();

    // Selects every entry of lstRegBackup.
    void cmdSelectAll_Click();
    // Deselects every entry of lstRegBackup.
    void cmdSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  private:
    // Lists the registry-backup sets of the backup folder.
    void FillRegBackupList();
    // Enables or disables, in this order, the five controls a delete holds while it works.
    void enableCommands(bool on);
};
