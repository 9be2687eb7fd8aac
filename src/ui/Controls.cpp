// Control state changes that keep lists and option groups consistent.
#include "ui/Controls.h"

#include "ui/Form.h"
#include "ui/UserInput.h"

namespace ui {

Control::Control(Form& form, ControlKind kind, std::string name, Control* container)
    : form(form), kind(kind), name(std::move(name)), container(container) {
    form.add(*this);
}

bool Control::reachable() const {
    return refusal(*this).empty();
}

void OptionButton::select() {
    for (Control* other : form.controls()) {
        if (other != this && other->kind == ControlKind::OptionButton &&
            other->container == container) {
            static_cast<OptionButton*>(other)->value = false;
        }
    }
    value = true;
}

void ListControl::addItem(const std::string& text) {
    entries.push_back(text);
    marks.push_back(false);
    ++changes;
}

void ListControl::removeItem(int index) {
    if (index < 0 || index >= listCount()) {
        return;
    }
    entries.erase(entries.begin() + index);
    marks.erase(marks.begin() + index);
    if (current == index) {
        current = -1;
    } else if (current > index) {
        --current;
    }
    ++changes;
}

void ListControl::clear() {
    entries.clear();
    marks.clear();
    current = -1;
    if (kind == ControlKind::ComboBox) {
        static_cast<ComboBox*>(this)->text.clear();
    }
    ++changes;
}

std::string ListControl::item(int index) const {
    return index >= 0 && index < listCount() ? entries[static_cast<std::size_t>(index)]
                                             : std::string();
}

void ListControl::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        return;
    }
    current = index;
    if (!multiSelect) {
        for (std::size_t i = 0; i < marks.size(); ++i) {
            marks[i] = static_cast<int>(i) == index;
        }
    }
    if (kind == ControlKind::ComboBox) {
        // A combo box shows its current entry in its text field, as Windows does.
        static_cast<ComboBox*>(this)->text = item(index);
    }
    ++changes;
}

bool ListControl::selected(int index) const {
    return index >= 0 && index < listCount() && marks[static_cast<std::size_t>(index)];
}

void ListControl::setSelected(int index, bool on) {
    if (index < 0 || index >= listCount()) {
        return;
    }
    if (!multiSelect) {
        setListIndex(on ? index : -1);
        return;
    }
    marks[static_cast<std::size_t>(index)] = on;
    current = index;
    ++changes;
}

MenuItem::MenuItem(Form& form, std::string name, MenuItem* parent, std::string shortcut,
                   bool separator)
    : Control(form, ControlKind::MenuItem, std::move(name), parent), parent(parent),
      shortcut(std::move(shortcut)), separator(separator) {
    if (parent != nullptr) {
        parent->children.push_back(this);
    } else {
        form.addMenu(*this);
    }
}

} // namespace ui
