// Reading the state of windows and controls as text, for the driver's expectations and prints.
#pragma once

#include <ostream>
#include <string>

namespace ui {
class Control;
class Form;
} // namespace ui

namespace ui::headless {

// The value of the window property `name` ("caption", "enabled", "visible", "font") as text;
// false with `error` set when the window has no such property.
bool formProperty(const Form& form, const std::string& name, std::string& value,
                  std::string& error);

// The value of the control property `name` as text (booleans read "true"/"false", colours
// "#RRGGBB" or "default"); false with `error` set when this kind of control has no such
// property.
bool controlProperty(const Control& control, const std::string& name, std::string& value,
                     std::string& error);

// Writes the window and every control of it, one per line, indented by container.
void printForm(const Form& form, std::ostream& out);

} // namespace ui::headless
