// The about window both programs show, laid out once.
#include "system/AboutWindow.h"

#include "system/Help.h"
#include "ui/App.h"

namespace {

constexpr ui::Color kLinkColor = ui::rgb(0, 0, 255);

} // namespace

AboutWindow::AboutWindow(ui::App& app, const char* formName, const std::string& product)
    : ui::Form(app, formName) {
    bounds = {0, 0, 320, 196};
    fraAbout.bounds = {8, 8, 304, 148};
    imgLogo.bounds = {12, 20, 32, 32};
    imgLogo.resource = "logo";
    lblProduct.caption = product;
    lblProduct.bounds = {52, 20, 240, 13};
    lblVersion.bounds = {52, 38, 240, 13};
    lblOwner.caption = "Copyright (C) The Tarvex Project. All rights reserved.";
    lblOwner.bounds = {52, 60, 240, 26};
    lblSupport.caption = "Support:";
    lblSupport.bounds = {52, 90, 240, 13};
    lblMail1.caption = "support@tarvex.example";
    lblMail1.bounds = {52, 108, 240, 13};
    lblMail1.foreColor = kLinkColor;
    lblMail1.onClick = [this] { lblMail1_Click(); };
    lblMail2.caption = "help@tarvex.example";
    lblMail2.bounds = {52, 126, 240, 13};
    lblMail2.foreColor = kLinkColor;
    lblMail2.onClick = [this] { lblMail2_Click(); };
    cmdOK.caption = "OK";
    cmdOK.bounds = {232, 164, 80, 24};
    cmdOK.isDefault = true;
    cmdOK.isCancel = true;
    cmdOK.onClick = [this] { cmdOK_Click(); };
}

void AboutWindow::lblMail1_Click() {
    OpenSupportMail(lblMail1.caption);
}

void AboutWindow::lblMail2_Click() {
    OpenSupportMail(lblMail2.caption);
}

void AboutWindow::cmdOK_Click() {
    app.unload(*this);
}
