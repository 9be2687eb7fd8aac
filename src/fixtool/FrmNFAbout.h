// frmNFAbout: Quellix's version and the two support addresses, each opening a new mail.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

class FrmNFAbout : public ui::Form {
  public:
    static constexpr const char* kFormName = "frmNFAbout";
    explicit FrmNFAbout(ui::App& app);

    ui::Frame fraAbout{*this, "fraAbout"};
    ui::Image imgLogo{*this, "imgLogo", &fraAbout};
    ui::Label lblProduct{*this, "lblProduct", &fraAbout};
    ui::Label lblVersion{*this, "lblVersion", &fraAbout};
    ui::Label lblOwner{*this, "lblOwner", &fraAbout};
    ui::Label lblSupport{*this, "lblSupport", &fraAbout};
    ui::Label lblMail1{*this, "lblMail1", &fraAbout};
    ui::Label lblMail2{*this, "lblMail2", &fraAbout};
    ui::Button cmdOK{*this, "cmdOK"};

    // The chosen font, then the title and version in lblVersion.
    void Form_Load() override;
    // Opens a new support mail to the address shown.
    void lblMail1_Click();
    void lblMail2_Click();
    // Closes the window.
    void cmdOK_Click();
};
