// frmStart: the splash window that refuses a second instance, writes missing settings and after
// two seconds hands over to the warning or the start interface.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmStart : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmStart";
    explicit FrmStart(ui::App& app);

    ui::Image imgStart{*this, "imgStart"};
    ui::Timer Timer1{*this, "Timer1"};

    // Ends the program at once when another Tarvex runs; otherwise writes each missing setting's
    // default and starts the countdown.
    void Form_Load() override;
    // Counts down; at zero opens the warning or the start interface and unloads the splash.
    void Timer1_Timer();

  private:
    int countdown = 0;
};
