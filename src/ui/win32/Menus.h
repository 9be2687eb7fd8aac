// Menu bars and keyboard accelerators made from a form's menu entries.
#pragma once

#include "ui/Form.h"

#include <windows.h>

#include <functional>
#include <string>

namespace ui::win32 {

// The command id a menu entry is given.
using CommandIdOf = std::function<WORD(const Control&)>;

// Reads a shortcut such as "Ctrl+R", "Shift+F5" or "F1" into `accel` (command left 0); false when
// the text names no key this program knows.
bool parseShortcut(const std::string& text, ACCEL& accel);

// The text a menu shows for `item`: its caption, then a tab and its shortcut when it has one.
std::string menuText(const MenuItem& item);

// A key for the visible state of the form's menus: it changes whenever the menu must be rebuilt.
std::string menuState(const Form& form);

// A new menu bar with the form's visible menu entries (hidden ones are left out, disabled ones
// greyed); nullptr when no menu is visible. The caller owns the menu (SetMenu passes it on).
HMENU buildMenuBar(const Form& form, const CommandIdOf& idOf);

// An accelerator table for every entry with a readable shortcut; nullptr when there is none. The
// caller destroys it.
HACCEL buildAccelerators(const Form& form, const CommandIdOf& idOf);

// The menu bar of one form window, rebuilt whole whenever the form's menus look different.
class MenuBar {
  public:
    // Brings the menu bar of `window` in line with `form`; true when a bar came or went, so the
    // window must be sized around its client area again.
    bool apply(HWND window, const Form& form, const CommandIdOf& idOf);

  private:
    bool applied = false;
    std::string state; // menuState() of the bar shown
};

} // namespace ui::win32
