// Applying the chosen font face to a window and every control that shows text.
#include "base/Font.h"

#include "base/Ini.h"
#include "base/Settings.h"
#include "ui/Form.h"

namespace {

// Menus follow the system's menu font; timers, images and picture containers show no text.
bool hasFont(ui::ControlKind kind) {
    switch (kind) {
    case ui::ControlKind::MenuItem:
    case ui::ControlKind::Timer:
    case ui::ControlKind::Image:
    case ui::ControlKind::Picture:
        return false;
    default:
        return true;
    }
}

} // namespace

void ApplyFont(ui::Form& form, const std::string& settingsFile) {
    const std::string face =
        ReadIni(settingsFile, settings::kSectionFont, settings::kFontName, settings::kMissing);
    // Start-up writes no font setting, so a missing key is the common case of a user who never
    // chose a font: it keeps the designed fonts, as "Default" does, rather than handing "?" to
    // the platform as a face name.
    if (face == settings::kDefaultFont || face == settings::kMissing) {
        return;
    }
    form.fontFace = face;
    for (ui::Control* control : form.controls()) {
        if (hasFont(control->kind)) {
            control->fontFace = face;
        }
    }
}
