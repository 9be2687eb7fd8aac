// What the cleaning windows and the cab cleaner share in the chosen language: the clean
// confirmation, the program's help, and opening the language and font windows for one window.
#pragma once

#include <string>

namespace ui {
class Form;
}

// The number a window writes into lblfIdentify of frmLanguage or frmFont before opening it, so
// that only the opener is re-texted or re-fonted after a save.
constexpr const char* kWindowNumberMain = "1";
constexpr const char* kWindowNumberAdvanced = "2";
constexpr const char* kWindowNumberWizard = "3";

// Loads the window called `name` (frmLanguage or frmFont), sets the caption of its lblfIdentify
// to `windowNumber` and shows it modally, owned by `owner`; nothing happens when it is unknown.
void showModalWithWindowNumber(ui::Form& owner, const std::string& name,
                               const std::string& windowNumber);

// Opens the help file whose name is text "0019", in the program folder, at its finder page.
void openHelpFile(ui::Form& owner);

// Asks "0009" under the title "0010" (Yes/No, exclamation) before a clean run; true on Yes.
bool ConfirmClean(ui::Form& owner);
