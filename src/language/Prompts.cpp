// The clean confirmation, the help file and the window-numbered language and font windows.
#include "language/Prompts.h"

#include "language/Language.h"
#include "language/TextIds.h"
#include "system/Help.h"
#include "ui/App.h"

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
    OpenHelp(owner, GetLangString(textid::kHelpFileName));
}

bool ConfirmClean(ui::Form& owner) {
    return owner.app.msgBox(GetLangString("0009"), GetLangString("0010"), ui::MsgBoxButtons::YesNo,
                            ui::MsgBoxIcon::Exclamation, &owner) == ui::MsgBoxResult::Yes;
}
