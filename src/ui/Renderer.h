// What the form model needs from whoever shows it: real Win32 windows or a headless driver.
#pragma once

#include <string>

namespace ui {

class Control;
class Form;

enum class MsgBoxButtons { Ok, YesNo };
enum class MsgBoxIcon { None, Critical, Exclamation };
enum class MsgBoxResult { Ok, Yes, No };

// A modal message box the program asks for.
struct MessageBoxRequest {
    std::string text;
    std::string title;
    MsgBoxButtons buttons = MsgBoxButtons::Ok;
    MsgBoxIcon icon = MsgBoxIcon::None;
    Form* owner = nullptr;
};

class Renderer {
  public:
    virtual ~Renderer() = default;
    // A form was loaded: create its window, still hidden.
    virtual void formLoaded(Form& form) = 0;
    // Show a loaded form without waiting.
    virtual void formShown(Form& form) = 0;
    // Show a loaded form modally and return once it has been unloaded.
    virtual void runModal(Form& form) = 0;
    // A form was unloaded: destroy its window. The form object dies later.
    virtual void formUnloaded(Form& form) = 0;
    // Bring the form's window in line with the model's state (captions, enabled, items...).
    virtual void refresh(Form& form) = 0;
    // Shows the box and returns the user's answer.
    virtual MsgBoxResult messageBox(const MessageBoxRequest& request) = 0;
    // Lets pending user input and painting happen during a long operation.
    virtual void processPendingMessages() = 0;
    // The main loop: returns when the program has ended (no window left).
    virtual void run() = 0;
    // Width in pixels of `text` in the control's current font.
    virtual int textWidth(const Control& control, const std::string& text) = 0;
    // Opens the help file `path` with the help viewer's `command`, owned by `form`.
    virtual void openHelp(Form& form, const std::string& path, unsigned command) = 0;
};

} // namespace ui
