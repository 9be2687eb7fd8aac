// Filling the operating-system line from a fresh OSInfo.
#include "language/OSLine.h"

#include "language/Language.h"
#include "language/TextIds.h"
#include "platform/System.h"
#include "system/OSInfo.h"
#include "ui/Form.h"

namespace {

void fill(ui::Form& window, bool shortForm) {
    ui::Control* line = window.find("lblOS");
    if (line == nullptr) {
        return;
    }
    const OSInfo os(GetLangString("0314"));
    line->caption = os.Name() + " ";
    // On 64-bit Windows the line says so: the version numbers alone do not tell.
    if (platform::windows64Bit()) {
        line->caption += GetLangString(textid::kWindows64Bit) + " ";
    }
    const char* word = nullptr;
    switch (os.ProductType()) {
    case 1:
        word = "0003";
        break;
    case 2:
        word = "0002";
        break;
    case 3:
        word = "0001";
        break;
    default:
        return;
    }
    line->caption += GetLangString(word) + "  " +
                     (shortForm ? os.SupportInformation2() : os.SupportInformation());
}

} // namespace

void ShowOSInfo(ui::Form& window) {
    fill(window, false);
}

void ShowOSInfo2(ui::Form& window) {
    fill(window, true);
}
