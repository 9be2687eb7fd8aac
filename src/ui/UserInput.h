// What a user's mouse and keyboard do to the form model: which controls a user can reach, and how
// a click, a pick in a list or typing changes a control before its events run. Both renderers,
// the headless driver and the tests act through these, so they cannot disagree.
#pragma once

#include "ui/Controls.h"

#include <functional>
#include <string>

namespace ui {

// Why a user could not work `form` now ("window frmMain is not shown", "window frmMain is disabled
// while the modal window frmOptions is open"), or "" when they could.
std::string refusal(const Form& form);

// Why a user could not reach `control` (it, a frame or picture holding it, or its window is hidden
// or disabled), or "" when they could.
std::string refusal(const Control& control);

// Clicks `control` as a user would; answers "" or why nothing happened. An unreachable control, a
// list, a timer or a separator refuses. A check box becomes checked when it was unchecked and
// unchecked when it was checked or greyed; an option button is selected and the others of its
// container cleared; then the control's Click runs.
std::string click(Control& control);

// Presses `key` in `form` as a user would; answers "" or why nothing happened. "Enter" clicks the
// default button, "Escape" the cancel button, any other key (a shortcut such as "Ctrl+R" or "F1",
// in any case) the menu entry with that shortcut; the window must be usable and the button or
// entry reachable.
std::string press(Form& form, const std::string& key);

// How a pick changes the selection of a list.
enum class Pick {
    Only,   // the entry becomes the current one, and the only selected one
    Add,    // multi-selection lists: the entry is selected as well, and becomes current
    Remove, // multi-selection lists: the entry is deselected, and becomes current
};

// Picks entry `index` of `list` as a user would; answers "" or why nothing happened (unreachable,
// no such entry, Add or Remove in a single-selection list). The selection changes (a combo box's
// text becomes the entry), then Click runs, then Change when the current entry changed.
std::string select(ListControl& list, int index, Pick how = Pick::Only);

// A pick the user made in a real list window: when `list` is reachable, `apply` writes the window's
// new selection into the model and the events run as above; answers "" or why nothing happened.
std::string select(ListControl& list, const std::function<void()>& apply);

// Types `text` into the edit field of a drop-down combo box as a user would, replacing what it
// held; the current entry stays. Answers "" or why nothing happened (no edit field,
// unreachable); Change runs after the text changed.
std::string type(ComboBox& combo, const std::string& text);

} // namespace ui
