// The window that deletes file and directory backup sets.
#pragma once

#include "ui/Form.h"

class FrmClearB : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmClearB";

    explicit FrmClearB(ui::App& app);

    ui::Frame fraBackupCleanOpt;
    ui::Label lblBackupClearInfo;
    ui::ListBox lstBackup;
    ui::Button cmdDelete;
    ui::Button cmdSelectAll;
    ui::Button cmdSelectNon;
    ui::Button cmdClose;

    // Texts, font, then the list filled from the disk.
    void Form_Load() override;

    // Deletes the selected set folders with everything in them, then lists again what is left.
    void cmdDelete_Click();

    // Selects every entry of lstBackup.
    void cmdSelectAll_Click();
    // Deselects every entry of lstBackup.
    void cmdSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  private:
    // Lists the file-backup and directory-backup sets of the backup folder.
    void FillBackupList();
    // Enables or disables, in this order, the five controls a delete holds while it works.
    void enableCommands(bool on);
};
