// The layout the language and font windows share: a hint, one list, Save and Close.
#pragma once

namespace ui {
class Button;
class ComboBox;
class Form;
class Label;
} // namespace ui

// Places the hint, the list and the two buttons of a choice window, captions the buttons, keeps
// Save disabled until an entry is chosen and hides the opener's window-number label.
void layOutChoiceWindow(ui::Form& window, ui::Label& info, ui::ComboBox& list, ui::Button& save,
                        ui::Button& close, ui::Label& windowNumber);
