// A user's clicks, picks and typing: refused where a user could not act, otherwise written to the
// model before the events run, exactly as the Windows controls report them.
#include "ui/UserInput.h"

#include "ui/App.h"

#include <cctype>

namespace ui {

namespace {

// Runs the handler as an event of the application; an empty handler still ends in a refresh, so
// the new state of the control is shown.
void raise(Control& control, const std::function<void()>& handler) {
    control.form.app.fire([&handler] {
        if (handler) {
            handler();
        }
    });
}

// Click, then Change when the current entry moved: one event for both, since the click may unload
// the window and the change handler must not run on a window that is gone.
void raisePicked(ListControl& list, int before) {
    const bool changed = list.listIndex() != before;
    list.form.app.fire([&list, changed] {
        if (list.onClick) {
            list.onClick();
        }
        if (changed && list.onChange && list.form.app.isLoaded(list.form)) {
            list.onChange();
        }
    });
}

std::string lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::string refusal(const Form& form) {
    if (!form.visible) {
        return "window " + form.name + " is not shown";
    }
    if (!form.enabled) {
        const Form* modal = form.app.modalForm();
        return "window " + form.name + " is disabled" +
               (modal != nullptr && modal != &form
                    ? " while the modal window " + modal->name + " is open"
                    : std::string());
    }
    return "";
}

std::string refusal(const Control& control) {
    for (const Control* c = &control; c != nullptr; c = c->container) {
        const std::string who =
            c == &control ? control.name : c->name + " (holding " + control.name + ")";
        if (!c->visible) {
            return who + " is not visible";
        }
        if (!c->enabled) {
            return who + " is disabled";
        }
    }
    return refusal(control.form);
}

std::string click(Control& control) {
    std::string why = refusal(control);
    if (!why.empty()) {
        return why;
    }
    switch (control.kind) {
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
        return control.name + " is a list: pick an entry with select";
    case ControlKind::Timer:
        return control.name + " is a timer, which nobody can click";
    case ControlKind::MenuItem:
        if (static_cast<const MenuItem&>(control).separator) {
            return control.name + " is a separator";
        }
        break;
    case ControlKind::CheckBox: {
        auto& box = static_cast<CheckBox&>(control);
        box.value = box.value == 0 ? 1 : 0;
        break;
    }
    case ControlKind::OptionButton:
        static_cast<OptionButton&>(control).select();
        break;
    default:
        break;
    }
    raise(control, control.onClick);
    return "";
}

std::string press(Form& form, const std::string& key) {
    std::string why = refusal(form);
    if (!why.empty()) {
        return why;
    }
    const std::string wanted = lower(key);
    if (wanted == "enter" || wanted == "escape" || wanted == "esc") {
        const bool enter = wanted == "enter";
        for (Control* control : form.controls()) {
            if (control->kind == ControlKind::Button &&
                (enter ? static_cast<Button*>(control)->isDefault
                       : static_cast<Button*>(control)->isCancel)) {
                return click(*control);
            }
        }
        return "window " + form.name + " has no " + (enter ? "default" : "cancel") + " button";
    }
    for (Control* control : form.controls()) {
        if (control->kind == ControlKind::MenuItem &&
            lower(static_cast<const MenuItem*>(control)->shortcut) == wanted) {
            return click(*control);
        }
    }
    return "no menu entry of " + form.name + " has the shortcut " + key;
}

std::string select(ListControl& list, int index, Pick how) {
    std::string why = refusal(list);
    if (!why.empty()) {
        return why;
    }
    if (index < 0 || index >= list.listCount()) {
        return list.name + " has no entry #" + std::to_string(index) + " (it has " +
               std::to_string(list.listCount()) + ")";
    }
    if (how != Pick::Only && !list.multiSelect) {
        return list.name + " allows one selected entry only: use select";
    }
    const int before = list.listIndex();
    if (how != Pick::Only) {
        list.setSelected(index, how == Pick::Add);
    } else if (list.multiSelect) {
        for (int i = 0; i < list.listCount(); ++i) {
            list.setSelected(i, false);
        }
        list.setSelected(index, true);
    } else {
        list.setListIndex(index);
    }
    raisePicked(list, before);
    return "";
}

std::string select(ListControl& list, const std::function<void()>& apply) {
    std::string why = refusal(list);
    if (!why.empty()) {
        return why;
    }
    const int before = list.listIndex();
    apply();
    raisePicked(list, before);
    return "";
}

std::string type(ComboBox& combo, const std::string& text) {
    if (combo.style != ComboBox::Style::DropDownCombo) {
        return combo.name + " has no text field to type into";
    }
    std::string why = refusal(combo);
    if (!why.empty()) {
        return why;
    }
    combo.text = text;
    raise(combo, combo.onChange);
    return "";
}

} // namespace ui
