// Menu bars and accelerators: built whole from the model, rebuilt when its menu state changes.
#include "ui/win32/Menus.h"

#include <cctype>
#include <vector>

namespace ui::win32 {

namespace {

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// The virtual key of a key name ("R", "7", "F1", "Del"); 0 when unknown.
WORD virtualKey(const std::string& name) {
    const std::string key = upper(name);
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        return static_cast<WORD>(key[0]);
    }
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F') {
        int number = 0;
        for (std::size_t i = 1; i < key.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(key[i]))) {
                return 0;
            }
            number = number * 10 + (key[i] - '0');
        }
        return number >= 1 && number <= 24 ? static_cast<WORD>(VK_F1 + number - 1) : 0;
    }
    if (key == "DEL" || key == "DELETE") {
        return VK_DELETE;
    }
    if (key == "INS" || key == "INSERT") {
        return VK_INSERT;
    }
    return 0;
}

void appendEntry(HMENU into, const MenuItem& item, const CommandIdOf& idOf) {
    if (!item.visible) {
        return;
    }
    if (item.separator) {
        AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
    const std::string text = menuText(item);
    if (item.children.empty()) {
        AppendMenuA(into, MF_STRING | state, idOf(item), text.c_str());
        return;
    }
    HMENU popup = CreatePopupMenu();
    for (const MenuItem* child : item.children) {
        appendEntry(popup, *child, idOf);
    }
    AppendMenuA(into, MF_STRING | MF_POPUP | state, reinterpret_cast<UINT_PTR>(popup),
                text.c_str());
}

} // namespace

bool parseShortcut(const std::string& text, ACCEL& accel) {
    BYTE modifiers = FVIRTKEY;
    std::string rest = text;
    for (;;) {
        const std::string::size_type plus = rest.find('+');
        // A trailing "+" is the key itself only as in "Ctrl++", which nothing here uses.
        if (plus == std::string::npos || plus + 1 >= rest.size()) {
            break;
        }
        const std::string modifier = upper(rest.substr(0, plus));
        if (modifier == "CTRL") {
            modifiers |= FCONTROL;
        } else if (modifier == "SHIFT") {
            modifiers |= FSHIFT;
        } else if (modifier == "ALT") {
            modifiers |= FALT;
        } else {
            return false;
        }
        rest = rest.substr(plus + 1);
    }
    const WORD key = virtualKey(rest);
    if (key == 0) {
        return false;
    }
    accel.fVirt = modifiers;
    accel.key = key;
    accel.cmd = 0;
    return true;
}

std::string menuText(const MenuItem& item) {
    return item.shortcut.empty() ? item.caption : item.caption + "\t" + item.shortcut;
}

std::string menuState(const Form& form) {
    std::string state;
    for (const Control* control : form.controls()) {
        if (control->kind == ControlKind::MenuItem) {
            state += control->caption;
            state += control->enabled ? '\1' : '\2';
            state += control->visible ? '\3' : '\4';
        }
    }
    return state;
}

HMENU buildMenuBar(const Form& form, const CommandIdOf& idOf) {
    bool anyVisible = false;
    for (const MenuItem* menu : form.menuBar()) {
        anyVisible = anyVisible || menu->visible;
    }
    if (!anyVisible) {
        return nullptr;
    }
    HMENU bar = CreateMenu();
    for (const MenuItem* menu : form.menuBar()) {
        appendEntry(bar, *menu, idOf);
    }
    return bar;
}

HACCEL buildAccelerators(const Form& form, const CommandIdOf& idOf) {
    std::vector<ACCEL> table;
    for (const Control* control : form.controls()) {
        if (control->kind != ControlKind::MenuItem) {
            continue;
        }
        const auto& item = static_cast<const MenuItem&>(*control);
        ACCEL accel{};
        if (!item.separator && !item.shortcut.empty() && parseShortcut(item.shortcut, accel)) {
            accel.cmd = idOf(item);
            table.push_back(accel);
        }
    }
    if (table.empty()) {
        return nullptr;
    }
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

bool MenuBar::apply(HWND window, const Form& form, const CommandIdOf& idOf) {
    const std::string wanted = menuState(form);
    if (applied && wanted == state) {
        return false;
    }
    HMENU previous = GetMenu(window);
    HMENU bar = buildMenuBar(form, idOf);
    SetMenu(window, bar);
    if (previous != nullptr) {
        DestroyMenu(previous);
    }
    DrawMenuBar(window);
    state = wanted;
    const bool hadBar = applied && previous != nullptr;
    applied = true;
    return hadBar != (bar != nullptr);
}

} // namespace ui::win32
