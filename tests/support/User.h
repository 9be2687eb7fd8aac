// The tests' user: clicks, picks and typing through the form model's own user input, so a test
// can do only what a user could, and a refused action fails the test with its reason.
#pragma once

#include <doctest/doctest.h>

#include "ui/Form.h"
#include "ui/UserInput.h"

#include <string>

namespace testsupport {

// Clicks `control` as a user would.
inline void clickOn(ui::Control& control) {
    const std::string refused = ui::click(control);
    REQUIRE_MESSAGE(refused.empty(), control.form.name << "." << control.name << ": " << refused);
}

// Clicks the control called `name` of `form` as a user would.
inline void clickOn(ui::Form& form, const std::string& name) {
    ui::Control* control = form.find(name);
    REQUIRE_MESSAGE(control != nullptr, form.name << " has no " << name);
    clickOn(*control);
}

// Presses `key` ("Enter", "Escape" or a menu shortcut such as "F1") in `form` as a user would.
inline void pressKey(ui::Form& form, const std::string& key) {
    const std::string refused = ui::press(form, key);
    REQUIRE_MESSAGE(refused.empty(), form.name << " " << key << ": " << refused);
}

// Picks entry `index` of `list` as a user would.
inline void pick(ui::ListControl& list, int index, ui::Pick how = ui::Pick::Only) {
    const std::string refused = ui::select(list, index, how);
    REQUIRE_MESSAGE(refused.empty(), list.form.name << "." << list.name << ": " << refused);
}

} // namespace testsupport
