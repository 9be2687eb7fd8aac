// A window of the form model: its caption, controls in control order, menu bar and event handlers.
#pragma once

#include "ui/Controls.h"

#include <string>
#include <vector>

namespace ui {

class App;

class Form {
  public:
    Form(App& app, std::string name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    App& app;
    const std::string name;
    std::string caption;
    std::string fontFace; // empty: the font the window was designed with
    bool enabled = true;  // false while a modal window it owns is open
    bool visible = false;
    Rect bounds;              // client area size in pixels at 96 dpi (left/top: initial position)
    bool hasTitleBar = true;  // false for a borderless splash
    bool hasCloseBox = true;  // the title bar's close box
    std::string iconResource; // icon shown in the title bar, if any

    // Controls in control order (the order they were declared in), menu entries included.
    const std::vector<Control*>& controls() const { return members; }
    // Top-level menus of the menu bar, in order.
    const std::vector<MenuItem*>& menuBar() const { return menus; }
    // The control called `name`, or nullptr.
    Control* find(const std::string& controlName) const;

    // Runs once when the window is loaded, before it is first shown.
    virtual void Form_Load() {}
    // Runs once when the window is unloaded.
    virtual void Form_Unload() {}
    // The user closed the window with its close box (or Alt+F4); unloads it by default.
    virtual void closeRequested();

  private:
    friend class Control;
    friend class MenuItem;
    void add(Control& control);
    void addMenu(MenuItem& menu);

    std::vector<Control*> members;
    std::vector<MenuItem*> menus;
};

} // namespace ui
