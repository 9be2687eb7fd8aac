// One form's window through its life: made with a window per control, kept in line with the model,
// its messages handed to the control adapters, destroyed with the form.
#pragma once

#include "ui/Form.h"
#include "ui/win32/ControlAdapter.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Menus.h"
#include "ui/win32/TopWindow.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui::win32 {

// Registers the form window class (once per process); false when the system refuses.
bool registerFormClass(HINSTANCE instance);

class FormWindow {
  public:
    // Creates the hidden window and its controls; handle() is nullptr when the system refused.
    FormWindow(Form& form, HINSTANCE instance, Fonts& fonts);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The window (nullptr once destroyed or when it could not be made).
    HWND handle() const { return top.handle(); }
    // The form it shows; nullptr once destroyed.
    Form* model() const { return form; }
    // The window of `control` (nullptr for timers, menu entries and unknown controls).
    HWND controlHandle(const Control& control) const;

    // Brings every window in line with the model.
    void refresh();
    // Brings the (shown) window to the front and activates it.
    void bringUp() { top.bringUp(); }
    // Prepares a modal run: owned by the window that was active when it was shown.
    void beginModal() { top.beginModal(); }
    // The window it is owned by while modal (nullptr when none).
    HWND modalOwner() const { return top.modalOwner(); }
    // Destroys the window; the form hears nothing from it afterwards.
    void destroy();
    // Gives a message meant for this window to its accelerators and dialog keys; true when they
    // consumed it.
    bool translate(MSG& message);
    // Width in pixels of `text` in the current font of `control` (the form's when nullptr).
    int textWidth(const Control* control, const std::string& text);

    // The window procedure of this form (called by the class's trampoline).
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by the trampoline when the system makes the window (before CreateWindowEx returns).
    void attach(HWND created) { top.attach(created); }
    // Called by the trampoline when the system has destroyed the window.
    void forgetWindow();

  private:
    void createControls();
    AdapterHost host();
    ControlAdapter* adapterFor(HWND control) const;
    ControlAdapter* adapterFor(WORD id) const;
    WORD idOf(const Control& control) const;
    // The colours a control paints its text with: its own colour, else the system's `text`.
    LRESULT colour(HDC dc, HWND control, int text, int background);

    Form* form;
    Fonts& fonts;
    TopWindow top;
    MenuBar menuBar;
    HACCEL accelerators = nullptr;
    std::vector<std::unique_ptr<ControlAdapter>> adapters; // in control order
    CommandTable commands;
    bool updating = false; // notifications caused by refresh itself are not user input
};

} // namespace ui::win32
