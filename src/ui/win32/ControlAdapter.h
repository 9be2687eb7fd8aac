// The Win32 side of one control of a form: an adapter per kind of control, each with its own state,
// creation, commands and refresh, so the form window never asks what kind a control is.
#pragma once

#include "ui/Controls.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Widgets.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ui::win32 {

// What WM_COMMAND runs, by command id; each handler gets the notification code.
using CommandTable = std::map<WORD, std::function<void(WORD code)>>;

// What an adapter is given by the form window that holds it.
struct AdapterHost {
    HWND window; // the form window: parent of the control windows, owner of the timers
    Fonts& fonts;
    CommandTable& commands;
};

class ControlAdapter {
  public:
    ControlAdapter(Control& control, WORD id) : control(control), id(id) {}
    virtual ~ControlAdapter() = default;
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    Control& control;
    const WORD id; // the id of its window, its commands and its timer

    // The control's window; nullptr for controls without one and once it is destroyed.
    HWND handle() const { return window.handle; }
    // The system destroyed the window.
    void forgetWindow() { window.handle = nullptr; }

    // Makes the control's window, if it has one, and enters its commands in the host's table;
    // `previous` is the control declared just before it.
    virtual void create(const AdapterHost& host, const Control* previous) = 0;
    // Brings the control's window (or timer) in line with the model.
    virtual void refresh(const AdapterHost& host) = 0;
    // True for frames and pictures: their windows lie below the controls they hold.
    virtual bool holdsControls() const { return false; }
    // A WM_TIMER of this control's id arrived.
    virtual void tick() {}
    // Paints an owner-drawn control.
    virtual void draw(const DRAWITEMSTRUCT& item) const { (void)item; }

  protected:
    Window window;
};

// The adapter for `control`, of its kind.
std::unique_ptr<ControlAdapter> makeAdapter(Control& control, WORD id);

// The class and styles a control's window is made with.
struct WindowLook {
    const char* className;
    DWORD style;
    DWORD exStyle = 0;
};

// A control shown by a child window of the form: caption, place, font, enabled state, colour and
// visibility follow the model here; each kind adds its own state in refreshOwn().
class WindowedAdapter : public ControlAdapter {
  public:
    using ControlAdapter::ControlAdapter;
    void create(const AdapterHost& host, const Control* previous) final;
    void refresh(const AdapterHost& host) final;

  protected:
    // The class and styles of the window (`previous` as in create()).
    virtual WindowLook look(const Control* previous) const = 0;
    // Enters the control's notifications in the table; none by default.
    virtual void addCommands(CommandTable& commands) { (void)commands; }
    // False when the window's text is not the control's caption (lists, pictures).
    virtual bool showsCaption() const { return true; }
    // Room below the control for a drop-down list, in pixels.
    virtual int dropHeight() const { return 0; }
    // The kind's own state, after the common state and before the visibility; `first` on the
    // first refresh after the window was made.
    virtual void refreshOwn(bool first) { (void)first; }

  private:
    bool applied = false;
    std::string caption;
    bool enabled = true;
    bool visible = false;
    std::string fontFace;
    Rect bounds;
    Color foreColor = kDefaultColor;
};

// One factory per kind, each in the file of its adapter.
std::unique_ptr<ControlAdapter> adapt(Label& label, WORD id);
std::unique_ptr<ControlAdapter> adapt(Button& button, WORD id);
std::unique_ptr<ControlAdapter> adapt(CheckBox& box, WORD id);
std::unique_ptr<ControlAdapter> adapt(OptionButton& option, WORD id);
std::unique_ptr<ControlAdapter> adapt(Frame& frame, WORD id);
std::unique_ptr<ControlAdapter> adapt(Image& image, WORD id);
std::unique_ptr<ControlAdapter> adapt(Picture& picture, WORD id);
std::unique_ptr<ControlAdapter> adapt(ListBox& list, WORD id);
std::unique_ptr<ControlAdapter> adapt(ComboBox& combo, WORD id);
std::unique_ptr<ControlAdapter> adapt(Timer& timer, WORD id);
std::unique_ptr<ControlAdapter> adapt(MenuItem& item, WORD id);

} // namespace ui::win32
