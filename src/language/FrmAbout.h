// frmAbout: version, ownership and the two support addresses, each opening a new mail.
#pragma once

#include "system/AboutWindow.h"

class FrmAbout : public AboutWindow {
  public:
    static constexpr const char* kFormName = "frmAbout";
    explicit FrmAbout(ui::App& app);

    // Sets the texts (the version among them) and the chosen font.
    void Form_Load() override;
};
