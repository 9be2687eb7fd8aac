// The operating-system line of the cleaning windows and the cab cleaner.
#pragma once

namespace ui {
class Form;
}

// Fills `window`'s lblOS: name, "64-bit" on 64-bit Windows, product-type word and the long
// service pack text.
void ShowOSInfo(ui::Form& window);

// The same with the short service pack form, e.g. (SP2).
void ShowOSInfo2(ui::Form& window);
