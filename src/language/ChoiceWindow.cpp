// The layout the language and font windows share.
#include "language/ChoiceWindow.h"

#include "ui/Controls.h"
#include "ui/Form.h"

void layOutChoiceWindow(ui::Form& window, ui::Label& info, ui::ComboBox& list, ui::Button& save,
                        ui::Button& close, ui::Label& windowNumber) {
    window.bounds = {0, 0, 300, 116};
    info.bounds = {8, 8, 284, 26};
    list.bounds = {8, 40, 284, 21};
    save.caption = "Save";
    save.bounds = {132, 84, 76, 24};
    save.isDefault = true;
    save.enabled = false;
    close.caption = "Close";
    close.bounds = {216, 84, 76, 24};
    close.isCancel = true;
    windowNumber.bounds = {8, 88, 24, 13};
    windowNumber.visible = false;
}
