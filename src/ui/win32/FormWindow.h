// One form's top-level window: its controls' windows, menu, accelerators and timers, kept in line
// with the model, and the user's input written back to the model before its events fire.
#pragma once

#include "ui/Form.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Widgets.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ui::win32 {

// The one window class of every form window.
constexpr const char* kFormClassName = "TarvexForm";

// Registers the form window class (once per process); false when the system refuses.
bool registerFormClass(HINSTANCE instance);

// True when `window` is a form window of this program.
bool isFormWindow(HWND window);

// A control's window and the model state last written to it, so refresh touches only changes.
struct ControlWindow {
    Control* control = nullptr;
    WORD id = 0;
    Window window; // no handle for timers and menu entries
    bool applied = false;
    std::string caption;
    bool enabled = true;
    bool visible = false;
    std::string fontFace;
    Rect bounds;
    Color foreColor = kDefaultColor;
    int value = -1;
    unsigned revision = 0;
    std::vector<std::string> items;
    int extent = -1;
    std::string comboText;
    bool timerRunning = false;
    int timerInterval = 0;
};

class FormWindow {
  public:
    // Creates the hidden window and its controls; handle() is nullptr when the system refused.
    FormWindow(Form& form, HINSTANCE instance, Fonts& fonts);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The window (nullptr once destroyed or when it could not be made).
    HWND handle() const { return window; }
    // The form it shows; nullptr once destroyed.
    Form* model() const { return form; }
    // The window of `control` (nullptr for timers, menu entries and unknown controls).
    HWND controlHandle(const Control& control) const;

    // Brings every window in line with the model.
    void refresh();
    // Brings the (shown) window to the front and activates it.
    void bringUp();
    // Prepares a modal run: owned by the window that was active when it was shown.
    void beginModal();
    // The window it is owned by while modal (nullptr when none).
    HWND modalOwner() const { return owner; }
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
    void attach(HWND created) { window = created; }
    // Called by the trampoline when the system has destroyed the window.
    void forgetWindow();

  private:
    void createControls();
    void createControl(ControlWindow& entry, const Control* previous);
    void addCommands(ControlWindow& entry);
    void applyControl(ControlWindow& entry);
    void applyTimer(ControlWindow& entry);
    void applyList(ControlWindow& entry);
    void applyCombo(ControlWindow& entry);
    void applyMenu();
    void applyForm();
    void fitClientArea();
    void placeOnFirstShow();
    Rect absoluteBounds(const Control& control) const;
    ControlWindow* entryFor(HWND control);
    ControlWindow* entryFor(WORD id);
    WORD idOf(const Control& control) const;
    LRESULT colourStatic(HDC dc, HWND control);
    LRESULT colourList(HDC dc, HWND control);
    void drawItem(const DRAWITEMSTRUCT& item);
    void onCommand(WORD id, WORD code);
    void restoreFocus();
    // Runs a handler of the model through the application (which refreshes afterwards).
    void fire(const std::function<void()>& handler);
    void click(Control& control);
    // The user picked an entry: the click handler, then the change handler when the current
    // entry changed.
    void fireSelection(ListControl& list, bool changed);
    void readListSelection(ControlWindow& entry);

    Form* form;
    Fonts& fonts;
    HWND window = nullptr;
    HACCEL accelerators = nullptr;
    HWND owner = nullptr;
    HWND shownOver = nullptr; // the window that was active when this one was first shown
    HWND lastFocus = nullptr;
    std::vector<ControlWindow> entries;
    std::map<WORD, std::function<void(WORD)>> commands; // WM_COMMAND: id -> handler of the code
    std::string appliedMenu;
    bool menuApplied = false;
    bool formApplied = false;
    std::string caption;
    bool enabled = true;
    bool visible = false;
    bool everShown = false;
    Rect bounds;
    bool updating = false; // notifications caused by refresh itself are not user input
};

} // namespace ui::win32
