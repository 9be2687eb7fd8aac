// What the cleaning windows, the wizard and the cab cleaner share: the window numbers they tell
// the language and font windows, opening windows by name, and the help file.
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

// The help viewer's command that opens the help file at its finder (contents) page.
constexpr unsigned kHelpFinder = 11;

// Shows the window called `name` modally, owned by `owner`, and returns once it is unloaded;
// nothing happens when no window of that name is registered.
void showModalNamed(ui::Form& owner, const std::string& name);

// Loads the window called `name` (frmLanguage or frmFont), sets the caption of its lblfIdentify
// to `windowNumber` and shows it modally, owned by `owner`; nothing happens when it is unknown.
void showModalWithWindowNumber(ui::Form& owner, const std::string& name,
                               const std::string& windowNumber);

// Opens the help file whose name is text "0019", in the program folder, at its finder page.
void openHelpFile(ui::Form& owner);
