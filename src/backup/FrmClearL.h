// The window that deletes clean logs.
#pragma once

#include "backup/FrmClear.h"

class FrmClearL : public FrmClear {
  public:
    static constexpr const char* kFormName = "frmClearL";

    explicit FrmClearL(ui::App& app);

    ui::Frame& fraLogCleanOpt = frame;
    ui::Label& lblBackupClearInfo = info;
    ui::ListBox& lstLog = list;

    // Lists the clean logs of the log folder by name, without ".log".
    void FillLogList() { fillList(); }

  private:
    void applyTexts() override;
    std::vector<std::string> entries() const override;
    void deleteEntry(const std::string& entry) override;
};
