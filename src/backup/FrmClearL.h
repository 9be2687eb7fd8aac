// The window that deletes clean logs.
#pragma once

#include "ui/Form.h"

class FrmClearL : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmClearL";

    explicit FrmClearL(ui::App& app);

    ui::Frame fraLogCleanOpt;
    ui::Label lblBackupClearInfo;
    ui::ListBox lstLog;
    ui::Button cmdDelete;
    ui::Button cmdSelectAll;
    ui::Button cmdSelectNon;
    ui::Button cmdClose;

    // Texts, font, then the list filled from the disk.
    void Form_Load() override;

    // Deletes the selected log files, then lists again what is left.
    void cmdDelete_Click();

    // Selects every entry of lstLog.
    void cmdSelectAll_Click();
    // Deselects every entry of lstLog.
    void cmdSelectNon_Click();
    // Unloads the window.
    void cmdClose_Click();

  private:
    // Lists the clean logs of the log folder.
    void FillLogList();
    // Enables or disables, in this order, the five controls a delete holds while it works.
    void enableCommands(bool on);
};
