// frmNFAbout: Quellix's version and the two support addresses, each opening a new mail.
#pragma once

#include "system/AboutWindow.h"

class FrmNFAbout : public AboutWindow {
  public:
    static constexpr const char* kFormName = "frmNFAbout";
    explicit FrmNFAbout(ui::App& app);

    // The chosen font, then the title and version in lblVersion.
    void Form_Load() override;
};
