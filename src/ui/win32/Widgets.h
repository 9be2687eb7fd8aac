// Thin wrappers over the HWNDs of standard controls; they never own the window they wrap.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ui::win32 {

// Any window: text, state, placement and font.
class Window {
  public:
    explicit Window(HWND handle = nullptr) : handle(handle) {}
    HWND handle;

    // The window's text ("" when there is no window).
    std::string text() const;
    void setText(const std::string& value) const;
    void enable(bool on) const;
    void show(bool on) const;
    // Moves and sizes the window within its parent's client area.
    void place(int left, int top, int width, int height) const;
    // Sets the font and redraws.
    void setFont(HFONT font) const;
    // Repaints the whole window.
    void invalidate() const;
};

// A check box or an option button (BS_3STATE / BS_RADIOBUTTON: the program sets the state).
class CheckWindow : public Window {
  public:
    using Window::Window;
    // 0 unchecked, 1 checked, 2 greyed.
    int state() const;
    void setState(int value) const;
};

// Entries and selection of a LISTBOX.
class ListBoxWindow : public Window {
  public:
    using Window::Window;
    void clear() const;
    void add(const std::string& entry) const;
    int count() const;
    // The current entry of a single-selection list, or the caret entry of a multi-selection one.
    int current(bool multiSelect) const;
    void setCurrent(int index) const;
    bool selected(int index) const;
    void setSelected(int index, bool on) const;
    int horizontalExtent() const;
    void setHorizontalExtent(int pixels) const;
};

// Entries, selection and edit text of a COMBOBOX.
class ComboBoxWindow : public Window {
  public:
    using Window::Window;
    void clear() const;
    void add(const std::string& entry) const;
    int count() const;
    int current() const;
    void setCurrent(int index) const;
};

// Brings the entries of a list or combo window (`shown`: what it holds) in line with the model's:
// appends when the model only grew, else fills anew. Answers whether it filled anew.
template <class Box>
bool syncEntries(const Box& box, const std::vector<std::string>& model,
                 std::vector<std::string>& shown) {
    const bool grew =
        model.size() >= shown.size() && std::equal(shown.begin(), shown.end(), model.begin());
    bool refilled = false;
    if (!grew) {
        box.clear();
        shown.clear();
        refilled = true;
    }
    for (std::size_t i = shown.size(); i < model.size(); ++i) {
        box.add(model[i]);
    }
    shown = model;
    return refilled;
}

} // namespace ui::win32
