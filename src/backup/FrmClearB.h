// The window that deletes file and directory backup sets.
#pragma once

#include "backup/FrmClear.h"

class FrmClearB : public FrmClear {
  public:
    static constexpr const char* kFormName = "frmClearB";

    explicit FrmClearB(ui::App& app);

    ui::Frame& fraBackupCleanOpt = frame;
    ui::Label& lblBackupClearInfo = info;
    ui::ListBox& lstBackup = list;

    // Lists the file-backup and directory-backup sets of the backup folder.
    void FillBackupList() { fillList(); }

  private:
    void applyTexts() override;
    std::vector<std::string> entries() const override;
    void deleteEntry(const std::string& entry) override;
};
