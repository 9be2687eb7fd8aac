// The controls of the form model: plain objects with the state a window shows and the events it
// raises.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

enum class ControlKind {
    Label,
    Button,
    Frame,
    CheckBox,
    OptionButton,
    ListBox,
    ComboBox,
    Image,
    Picture,
    Timer,
    MenuItem
};

// Position and size in pixels at 96 dpi, relative to the container's client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// An RGB colour as Windows stores it (0x00BBGGRR).
using Color = std::uint32_t;
constexpr Color kDefaultColor = 0xFFFFFFFF;

inline constexpr Color rgb(int red, int green, int blue) {
    return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
           (static_cast<Color>(blue) << 16);
}

// Common state of every control; a control registers itself with its form on construction.
class Control {
  public:
    // `container` is the frame or picture the control sits in (nullptr: the form itself).
    Control(Form& form, ControlKind kind, std::string name, Control* container = nullptr);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form;
    const ControlKind kind;
    const std::string name;
    Control* const container;

    std::string caption;
    bool enabled = true;
    bool visible = true;
    std::string fontFace; // empty: the font the window was designed with
    Rect bounds;
    Color foreColor = kDefaultColor;

    // Raised by a user's click (and by the driver's click); never by code setting a value.
    std::function<void()> onClick;

    // True when the control and every container up to the form are visible and enabled, so a
    // user could reach it.
    bool reachable() const;
};

class Label : public Control {
  public:
    Label(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::Label, std::move(name), container) {}
};

class Button : public Control {
  public:
    Button(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::Button, std::move(name), container) {}
    bool isDefault = false; // pressed by Enter
    bool isCancel = false;  // pressed by Escape
};

class Frame : public Control {
  public:
    Frame(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::Frame, std::move(name), container) {}
};

// The words a drawn picture carries, such as a splash's product name, purpose and version: the
// program that shows the picture supplies them, the renderer only draws them.
struct PictureWords {
    std::string title;
    std::string subtitle;
    std::string footer;
};

inline bool operator==(const PictureWords& a, const PictureWords& b) {
    return a.title == b.title && a.subtitle == b.subtitle && a.footer == b.footer;
}

inline bool operator!=(const PictureWords& a, const PictureWords& b) {
    return !(a == b);
}

// A container without a border of its own (groups option buttons, holds pictures).
class Picture : public Control {
  public:
    Picture(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::Picture, std::move(name), container) {}
    std::string resource; // name of the bitmap drawn in it, if any
    PictureWords words;   // drawn with the bitmap, where it has room for them
};

class Image : public Control {
  public:
    Image(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::Image, std::move(name), container) {}
    std::string resource; // name of the bitmap shown
    PictureWords words;   // drawn with the bitmap, where it has room for them
};

class CheckBox : public Control {
  public:
    CheckBox(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::CheckBox, std::move(name), container) {}
    int value = 0; // 0 unchecked, 1 checked, 2 greyed
};

// Exclusive within its container: selecting one clears the others there.
class OptionButton : public Control {
  public:
    OptionButton(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::OptionButton, std::move(name), container) {}
    bool value = false;
    // Selects this button and clears its siblings in the same container (no event).
    void select();
};

// Entries with a selection; the revision changes with every change of entries or selection so a
// renderer can tell whether it must refresh.
class ListControl : public Control {
  public:
    using Control::Control;
    const std::vector<std::string>& items() const { return entries; }
    int listCount() const { return static_cast<int>(entries.size()); }
    // Appends an entry.
    void addItem(const std::string& text);
    // Removes entry `index`; out of range does nothing.
    void removeItem(int index);
    // Removes all entries and the selection (and a combo box's text).
    void clear();
    // The entry at `index`, or "" out of range.
    std::string item(int index) const;
    // The current entry (-1: none).
    int listIndex() const { return current; }
    // Makes `index` the current entry (-1: none) and, in a single-selection list, the selected one;
    // a combo box's text becomes that entry's.
    void setListIndex(int index);
    // Whether entry `index` is selected.
    bool selected(int index) const;
    // Selects or deselects entry `index`; in a single-selection list selecting moves the selection.
    void setSelected(int index, bool on);
    unsigned revision() const { return changes; }

    bool multiSelect = false;       // several entries may be selected at once
    std::function<void()> onChange; // raised when the user changes the current entry

  private:
    std::vector<std::string> entries;
    std::vector<bool> marks;
    int current = -1;
    unsigned changes = 0;
};

class ListBox : public ListControl {
  public:
    ListBox(Form& form, std::string name, Control* container = nullptr)
        : ListControl(form, ControlKind::ListBox, std::move(name), container) {}
    int horizontalExtent = 0; // scrollable width in pixels (0: no horizontal scroll bar)
};

class ComboBox : public ListControl {
  public:
    enum class Style { DropDownCombo, DropDownList };
    ComboBox(Form& form, std::string name, Style style, Control* container = nullptr)
        : ListControl(form, ControlKind::ComboBox, std::move(name), container), style(style) {}
    const Style style;
    std::string text; // the edit field of a drop-down combo; the current entry otherwise
};

class Timer : public Control {
  public:
    Timer(Form& form, std::string name) : Control(form, ControlKind::Timer, std::move(name)) {
        enabled = false;
    }
    int interval = 0; // milliseconds
    std::function<void()> onTimer;
};

// A menu entry: a top-level menu, a submenu, an entry or a separator.
class MenuItem : public Control {
  public:
    // `parent` is the menu it belongs to (nullptr: the window's menu bar).
    MenuItem(Form& form, std::string name, MenuItem* parent = nullptr, std::string shortcut = "",
             bool separator = false);
    MenuItem* const parent;
    const std::string shortcut; // "Ctrl+R", "F1" or empty
    const bool separator;
    std::vector<MenuItem*> children;
};

} // namespace ui
