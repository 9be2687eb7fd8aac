// The about window both programs show: logo, product, version, ownership and two support
// addresses, each opening a new mail.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>

class AboutWindow : public ui::Form {
  public:
    // A window named `formName` whose product line reads `product`.
    AboutWindow(ui::App& app, const char* formName, const std::string& product);

    ui::Frame fraAbout{*this, "fraAbout"};
    ui::Image imgLogo{*this, "imgLogo", &fraAbout};
    ui::Label lblProduct{*this, "lblProduct", &fraAbout};
    ui::Label lblVersion{*this, "lblVersion", &fraAbout};
    ui::Label lblOwner{*this, "lblOwner", &fraAbout};
    ui::Label lblSupport{*this, "lblSupport", &fraAbout};
    ui::Label lblMail1{*this, "lblMail1", &fraAbout};
    ui::Label lblMail2{*this, "lblMail2", &fraAbout};
    ui::Button cmdOK{*this, "cmdOK"};

    // Opens a new support mail to the address shown.
    void lblMail1_Click();
    void lblMail2_Click();
    // Closes the window.
    void cmdOK_Click();
};
