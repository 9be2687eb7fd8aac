// The renderer that shows the form model as real Win32 windows on the program's one thread.
#pragma once

#include "ui/Renderer.h"
#include "ui/win32/Fonts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ui::win32 {

class FormWindow;

class Win32Renderer : public Renderer {
  public:
    // `instance` is the module whose icon the windows show (the running program by default).
    explicit Win32Renderer(HINSTANCE instance = GetModuleHandleA(nullptr));
    ~Win32Renderer() override;
    Win32Renderer(const Win32Renderer&) = delete;
    Win32Renderer& operator=(const Win32Renderer&) = delete;

    void formLoaded(Form& form) override;
    void formShown(Form& form) override;
    void runModal(Form& form) override;
    void formUnloaded(Form& form) override;
    void refresh(Form& form) override;
    MsgBoxResult messageBox(const MessageBoxRequest& request) override;
    void processPendingMessages() override;
    void run() override;
    int textWidth(const Control& control, const std::string& text) override;
    void openHelp(Form& form, const std::string& path, unsigned command) override;

    // The window of a loaded form; nullptr when it has none.
    HWND windowOf(const Form& form) const;
    // The window of a control of a loaded form; nullptr for timers, menu entries and the unknown.
    HWND windowOf(const Control& control) const;

  protected:
    // Hands one message to its form's accelerators and dialog keys, else translates and
    // dispatches it.
    void dispatch(MSG& message);

  private:
    FormWindow* find(const Form& form) const;
    bool anyWindowLeft() const;

    HINSTANCE instance;
    Fonts fonts;
    std::vector<std::unique_ptr<FormWindow>> windows;
    // Windows of unloaded forms whose window procedure may still be on the stack; freed by the
    // main loop between messages.
    std::vector<std::unique_ptr<FormWindow>> closed;
};

} // namespace ui::win32
