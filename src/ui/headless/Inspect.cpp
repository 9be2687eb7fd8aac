// Text forms of control state: one set of names serves both `expect` and `print`.
#include "ui/headless/Inspect.h"

#include "ui/Form.h"
#include "ui/headless/Script.h"
#include "ui/headless/TextMetrics.h"

#include <cstdio>

namespace ui::headless {

namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::Button:
        return "button";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::ListBox:
        return "listbox";
    case ControlKind::ComboBox:
        return "combo";
    case ControlKind::Image:
        return "image";
    case ControlKind::Picture:
        return "picture";
    case ControlKind::Timer:
        return "timer";
    case ControlKind::MenuItem:
        return "menu";
    }
    return "control";
}

std::string boolText(bool on) {
    return on ? "true" : "false";
}

std::string colorText(Color color) {
    if (color == kDefaultColor) {
        return "default";
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF),
                  static_cast<unsigned>((color >> 16) & 0xFF));
    return buffer;
}

std::string faceOf(const std::string& face) {
    return face.empty() ? kDesignFace : face;
}

bool isList(const Control& control) {
    return control.kind == ControlKind::ListBox || control.kind == ControlKind::ComboBox;
}

std::string selectedPositions(const ListControl& list) {
    std::string result;
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.selected(i)) {
            result += (result.empty() ? "" : ",") + std::to_string(i);
        }
    }
    return result;
}

// Properties only lists have; false when `name` is none of them.
bool listProperty(const ListControl& list, const std::string& name, std::string& value,
                  std::string& error) {
    if (name == "listindex") {
        value = std::to_string(list.listIndex());
    } else if (name == "listcount") {
        value = std::to_string(list.listCount());
    } else if (name == "selected") {
        value = selectedPositions(list);
    } else if (name == "items") {
        value.clear();
        for (int i = 0; i < list.listCount(); ++i) {
            value += (i == 0 ? "" : "|") + list.item(i);
        }
    } else if (name.compare(0, 5, "item#") == 0) {
        long index = 0;
        if (!parseNumber(name.substr(5), 0, 1000000, index) || index >= list.listCount()) {
            error = list.name + " has no entry " + name.substr(4) + " (it has " +
                    std::to_string(list.listCount()) + ")";
            return false;
        }
        value = list.item(static_cast<int>(index));
    } else {
        return false;
    }
    return true;
}

} // namespace

bool formProperty(const Form& form, const std::string& name, std::string& value,
                  std::string& error) {
    if (name == "caption") {
        value = form.caption;
    } else if (name == "enabled") {
        value = boolText(form.enabled);
    } else if (name == "visible") {
        value = boolText(form.visible);
    } else if (name == "font") {
        value = faceOf(form.fontFace);
    } else {
        error = form.name + " has no control called " + name +
                " (a window's own properties are caption, enabled, visible and font)";
        return false;
    }
    return true;
}

bool controlProperty(const Control& control, const std::string& name, std::string& value,
                     std::string& error) {
    if (name == "caption") {
        value = control.caption;
    } else if (name == "enabled") {
        value = boolText(control.enabled);
    } else if (name == "visible") {
        value = boolText(control.visible);
    } else if (name == "reachable") {
        value = boolText(control.reachable());
    } else if (name == "font") {
        value = faceOf(control.fontFace);
    } else if (name == "color") {
        value = colorText(control.foreColor);
    } else if (name == "value" && control.kind == ControlKind::CheckBox) {
        value = std::to_string(static_cast<const CheckBox&>(control).value);
    } else if (name == "value" && control.kind == ControlKind::OptionButton) {
        value = boolText(static_cast<const OptionButton&>(control).value);
    } else if (name == "text" && control.kind == ControlKind::ComboBox) {
        value = static_cast<const ComboBox&>(control).text;
    } else if (name == "extent" && control.kind == ControlKind::ListBox) {
        value = std::to_string(static_cast<const ListBox&>(control).horizontalExtent);
    } else if (name == "interval" && control.kind == ControlKind::Timer) {
        value = std::to_string(static_cast<const Timer&>(control).interval);
    } else if (name == "shortcut" && control.kind == ControlKind::MenuItem) {
        value = static_cast<const MenuItem&>(control).shortcut;
    } else if (isList(control)) {
        if (!listProperty(static_cast<const ListControl&>(control), name, value, error)) {
            if (error.empty()) {
                error = control.name + " (" + kindName(control.kind) + ") has no property " + name;
            }
            return false;
        }
    } else {
        error = control.name + " (" + kindName(control.kind) + ") has no property " + name;
        return false;
    }
    return true;
}

void printForm(const Form& form, std::ostream& out) {
    out << form.name << " " << quote(form.caption) << (form.visible ? " shown" : " hidden")
        << (form.enabled ? "" : " disabled");
    if (!form.fontFace.empty()) {
        out << " font=" << quote(form.fontFace);
    }
    out << "\n";
    for (const Control* control : form.controls()) {
        std::string indent = "  ";
        for (const Control* c = control->container; c != nullptr; c = c->container) {
            indent += "  ";
        }
        out << indent << control->name << " " << kindName(control->kind);
        const bool captioned = !isList(*control) && control->kind != ControlKind::Timer;
        if (captioned && !(control->kind == ControlKind::MenuItem &&
                           static_cast<const MenuItem*>(control)->separator)) {
            out << " " << quote(control->caption);
        }
        if (!control->enabled) {
            out << " disabled";
        }
        if (!control->visible) {
            out << " hidden";
        }
        if (!control->fontFace.empty()) {
            out << " font=" << quote(control->fontFace);
        }
        if (control->foreColor != kDefaultColor) {
            out << " color=" << colorText(control->foreColor);
        }
        switch (control->kind) {
        case ControlKind::CheckBox:
            out << " value=" << static_cast<const CheckBox*>(control)->value;
            break;
        case ControlKind::OptionButton:
            out << " value=" << boolText(static_cast<const OptionButton*>(control)->value);
            break;
        case ControlKind::Timer:
            out << " interval=" << static_cast<const Timer*>(control)->interval;
            break;
        case ControlKind::MenuItem: {
            const auto* item = static_cast<const MenuItem*>(control);
            if (item->separator) {
                out << " separator";
            }
            if (!item->shortcut.empty()) {
                out << " " << item->shortcut;
            }
            break;
        }
        default:
            break;
        }
        if (!isList(*control)) {
            out << "\n";
            continue;
        }
        const auto& list = static_cast<const ListControl&>(*control);
        if (control->kind == ControlKind::ComboBox) {
            const auto& combo = static_cast<const ComboBox&>(*control);
            out << (combo.style == ComboBox::Style::DropDownList ? " (list)" : " (edit)")
                << " text=" << quote(combo.text);
        }
        if (list.multiSelect) {
            out << " multi";
        }
        if (control->kind == ControlKind::ListBox) {
            const int extent = static_cast<const ListBox&>(*control).horizontalExtent;
            if (extent != 0) {
                out << " extent=" << extent;
            }
        }
        out << " listindex=" << list.listIndex() << " listcount=" << list.listCount() << "\n";
        for (int i = 0; i < list.listCount(); ++i) {
            out << indent << "  " << (list.selected(i) ? "*" : " ") << "#" << i << " "
                << quote(list.item(i)) << "\n";
        }
    }
}

} // namespace ui::headless
