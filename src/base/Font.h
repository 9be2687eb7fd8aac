// The chosen font face, applied to a window and all its controls.
#pragma once

#include <string>

namespace ui {
class Form;
}

// Applies the face stored under "Name" in section "FONT" of `settingsFile` to `form` and every
// control that has a font; "Default" keeps the fonts the window was designed with.
void ApplyFont(ui::Form& form, const std::string& settingsFile = "Tarvex.ini");
