// frmNFStart: Quellix's splash, shown for about two seconds before the main window.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmNFStart : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmNFStart";
    explicit FrmNFStart(ui::App& app);

    ui::Image imgStart{*this, "imgStart"};
    ui::Timer Timer1{*this, "Timer1"};

    // Starts the two-second countdown.
    void Form_Load() override;
    // Counts down; at zero shows frmNFMain and unloads the splash.
    void Timer1_Timer();

  private:
    int countdown = 0;
};
