// Window lifetimes, the main and modal message loops, message boxes and help for the form model.
#include "ui/win32/Win32Renderer.h"

#include "ui/App.h"
#include "ui/Form.h"
#include "ui/win32/FormWindow.h"

namespace ui::win32 {

namespace {

// The top-level window that holds `window`, walked by hand because GetAncestor is missing from
// Windows 95 and NT 4.0.
HWND topLevelOf(HWND window) {
    while (window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
        window = GetParent(window);
    }
    return window;
}

} // namespace

Win32Renderer::Win32Renderer(HINSTANCE instance) : instance(instance) {}

Win32Renderer::~Win32Renderer() {
    // The windows go before the fonts they use.
    windows.clear();
    closed.clear();
}

FormWindow* Win32Renderer::find(const Form& form) const {
    for (const auto& window : windows) {
        if (window->model() == &form) {
            return window.get();
        }
    }
    return nullptr;
}

bool Win32Renderer::anyWindowLeft() const {
    for (const auto& window : windows) {
        if (window->handle() != nullptr) {
            return true;
        }
    }
    return false;
}

HWND Win32Renderer::windowOf(const Form& form) const {
    const FormWindow* window = find(form);
    return window != nullptr ? window->handle() : nullptr;
}

HWND Win32Renderer::windowOf(const Control& control) const {
    const FormWindow* window = find(control.form);
    return window != nullptr ? window->controlHandle(control) : nullptr;
}

void Win32Renderer::formLoaded(Form& form) {
    if (find(form) == nullptr) {
        windows.push_back(std::make_unique<FormWindow>(form, instance, fonts));
    }
}

void Win32Renderer::formShown(Form& form) {
    if (FormWindow* window = find(form)) {
        window->refresh();
        window->bringUp();
    }
}

void Win32Renderer::runModal(Form& form) {
    FormWindow* window = find(form);
    if (window == nullptr || window->handle() == nullptr) {
        return;
    }
    window->refresh();
    window->beginModal();
    App& app = form.app;
    const Form* modal = &form;
    // The window object outlives the loop: unloading moves it to `closed`, freed only by run().
    while (app.isLoaded(*modal) && window->handle() != nullptr) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            // The quit request belongs to the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        dispatch(message);
    }
}

void Win32Renderer::formUnloaded(Form& form) {
    for (auto it = windows.begin(); it != windows.end(); ++it) {
        if ((*it)->model() != &form) {
            continue;
        }
        const HWND going = (*it)->handle();
        // The system destroys owned windows with their owner; a window of a form that is still
        // loaded must survive its owner's unloading.
        for (const auto& other : windows) {
            if (other.get() != it->get() && other->handle() != nullptr &&
                GetWindow(other->handle(), GW_OWNER) == going && going != nullptr) {
                SetWindowLongPtrA(other->handle(), GWLP_HWNDPARENT, 0);
            }
        }
        (*it)->destroy();
        closed.push_back(std::move(*it));
        windows.erase(it);
        break;
    }
    // Wakes the main loop so it can see that no window is left.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Win32Renderer::refresh(Form& form) {
    if (FormWindow* window = find(form)) {
        window->refresh();
    }
}

MsgBoxResult Win32Renderer::messageBox(const MessageBoxRequest& request) {
    HWND owner = request.owner != nullptr ? windowOf(*request.owner) : nullptr;
    if (owner == nullptr && isFormWindow(GetActiveWindow())) {
        owner = GetActiveWindow();
    }
    UINT style = request.buttons == MsgBoxButtons::YesNo ? MB_YESNO : MB_OK;
    if (request.icon == MsgBoxIcon::Critical) {
        style |= MB_ICONSTOP;
    } else if (request.icon == MsgBoxIcon::Exclamation) {
        style |= MB_ICONEXCLAMATION;
    }
    style |= owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    const int answer = MessageBoxA(owner, request.text.c_str(), request.title.c_str(), style);
    if (request.buttons == MsgBoxButtons::YesNo) {
        // A box that could not be shown answers No: nothing is done that was not agreed to.
        return answer == IDYES ? MsgBoxResult::Yes : MsgBoxResult::No;
    }
    return MsgBoxResult::Ok;
}

void Win32Renderer::dispatch(MSG& message) {
    if (message.hwnd != nullptr) {
        const HWND root = topLevelOf(message.hwnd);
        for (const auto& window : windows) {
            if (window->handle() == root && root != nullptr) {
                if (window->translate(message)) {
                    return;
                }
                break;
            }
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Win32Renderer::processPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void Win32Renderer::run() {
    for (;;) {
        closed.clear();
        if (!anyWindowLeft()) {
            return;
        }
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            return;
        }
        dispatch(message);
    }
}

int Win32Renderer::textWidth(const Control& control, const std::string& text) {
    FormWindow* window = find(control.form);
    return window != nullptr ? window->textWidth(&control, text) : 0;
}

void Win32Renderer::openHelp(Form& form, const std::string& path, unsigned command) {
    WinHelpA(windowOf(form), path.c_str(), command, 0);
}

} // namespace ui::win32
