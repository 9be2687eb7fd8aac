// The about window and its support-mail links.
#include "language/FrmAbout.h"

#include "base/Font.h"
#include "language/ApplyLang.h"
#include "platform/System.h"
#include "ui/App.h"

namespace {

// Opens the system's mail program on a new message to `address`; without one nothing happens.
void openSupportMail(const std::string& address) {
    platform::shellOpen("mailto:" + address + "?subject=Tarvex Support");
}

constexpr ui::Color kLinkColor = ui::rgb(0, 0, 255);

} // namespace

FrmAbout::FrmAbout(ui::App& app) : ui::Form(app, kFormName) {
    bounds = {0, 0, 320, 196};
    fraAbout.bounds = {8, 8, 304, 148};
    imgLogo.bounds = {12, 20, 32, 32};
    imgLogo.resource = "logo";
    lblProduct.caption = "Tarvex - display driver remover";
    lblProduct.bounds = {52, 20, 240, 13};
    lblVersion.caption = "Version 2.7";
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

void FrmAbout::Form_Load() {
    ApplyLangAbout(app);
    ApplyFont(*this);
}

void FrmAbout::lblMail1_Click() {
    openSupportMail(lblMail1.caption);
}

void FrmAbout::lblMail2_Click() {
    openSupportMail(lblMail2.caption);
}

void FrmAbout::cmdOK_Click() {
    app.unload(*this);
}
