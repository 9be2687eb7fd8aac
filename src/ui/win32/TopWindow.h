// The top-level side of a form window: caption, client size, enabled state, showing with its first
// placement, the modal owner, and the focus it gets back when it is activated again.
#pragma once

#include "ui/Form.h"

#include <windows.h>

#include <string>

namespace ui::win32 {

// The one window class of every form window.
constexpr const char* kFormClassName = "TarvexForm";

// True when `window` is a form window of this program.
bool isFormWindow(HWND window);

class TopWindow {
  public:
    // The window (nullptr before it is made and once it is destroyed).
    HWND handle() const { return window; }
    // The system made the window, or destroyed it (nullptr).
    void attach(HWND made) { window = made; }

    // Brings caption, client size, enabled state and visibility in line with `form`.
    void apply(const Form& form);
    // True once apply() ran.
    bool applied() const { return formApplied; }
    // Sizes the window so its client area is the form's again (menu bar and frame around it).
    void fitClientArea(const Form& form);
    // Brings the (shown) window to the front and activates it.
    void bringUp();
    // Prepares a modal run: owned by the window that was active when it was first shown.
    void beginModal();
    // The window it is owned by while modal (nullptr when none).
    HWND modalOwner() const { return owner; }
    // Before the window is destroyed: enables the owner again, as the dialog manager does, so
    // that the system hands activation back to it rather than to another program.
    void releaseOwner();
    // WM_ACTIVATE and WM_SETFOCUS: keeps the focused control when the window is deactivated and
    // gives the focus back when it is activated.
    void focusMessage(UINT message, WPARAM wParam);

  private:
    void placeOnFirstShow(const Form& form);
    void restoreFocus();

    HWND window = nullptr;
    HWND owner = nullptr;
    HWND shownOver = nullptr; // the window that was active when this one was first shown
    HWND lastFocus = nullptr;
    bool formApplied = false;
    std::string caption;
    bool enabled = true;
    bool visible = false;
    bool everShown = false;
    Rect bounds;
};

} // namespace ui::win32
