// Opening secondary windows by name and the help file, as every cleaning window does it.
#include "cleaning/FrmShared.h"

#include "language/Language.h"
#include "platform/System.h"
#include "ui/App.h"

void showModalNamed(ui::Form& owner, const std::string& name) {
    if (ui::Form* window = owner.app.formNamed(name)) {
        owner.app.showModal(*window, &owner);
    }
}

void showModalWithWindowNumber(ui::Form& owner, const std::string& name,
                               const std::string& windowNumber) {
    ui::Form* window = owner.app.formNamed(name);
    if (window == nullptr) {
        return;
    }
    if (ui::Control* identify = window->find("lblfIdentify")) {
        identify->caption = windowNumber;
    }
    owner.app.showModal(*window, &owner);
}

void openHelpFile(ui::Form& owner) {
    owner.app.renderer.openHelp(owner, platform::programFolder() + "\\" + GetLangString("0019"),
                                kHelpFinder);
}
