// The window that deletes registry backup sets.
#pragma once

#include "backup/FrmClear.h"

class FrmClearR : public FrmClear {
  public:
    static constexpr const char* kFormName = "frmClearR";

    explicit FrmClearR(ui::App& app);

    ui::Frame& fraRegBackupCleanOpt = frame;
    ui::Label& lblGegBackupClearInfo = info;
    ui::ListBox& lstRegBackup = list;

    // Lists the registry-backup sets of the backup folder.
    void FillRegBackupList() { fillList(); }

  private:
    void applyTexts() override;
    std::vector<std::string> entries() const override;
    void deleteEntry(const std::string& entry) override;
};
