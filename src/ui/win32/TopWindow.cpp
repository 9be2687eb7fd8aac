// Form windows as top-level windows: first placement, client size around the menu bar, modal
// ownership and the focus handed back on activation.
#include "ui/win32/TopWindow.h"

#include <algorithm>

namespace ui::win32 {

bool isFormWindow(HWND window) {
    char name[32] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
           std::string(name) == kFormClassName;
}

void TopWindow::apply(const Form& form) {
    const bool first = !formApplied;
    formApplied = true;
    if (first || caption != form.caption) {
        SetWindowTextA(window, form.caption.c_str());
        caption = form.caption;
    }
    if (first || bounds.width != form.bounds.width || bounds.height != form.bounds.height) {
        fitClientArea(form);
        bounds = form.bounds;
    }
    if (first || enabled != form.enabled) {
        EnableWindow(window, form.enabled ? TRUE : FALSE);
        enabled = form.enabled;
    }
    if (form.visible && !visible) {
        if (!everShown) {
            const HWND active = GetActiveWindow();
            shownOver = active != window && isFormWindow(active) ? active : nullptr;
            placeOnFirstShow(form);
            everShown = true;
        }
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        visible = true;
    } else if (!form.visible && visible) {
        ShowWindow(window, SW_HIDE);
        visible = false;
    }
}

void TopWindow::fitClientArea(const Form& form) {
    const int width = std::max(form.bounds.width, 0);
    const int height = std::max(form.bounds.height, 0);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, GetMenu(window) != nullptr, exStyle);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar too long for the window wraps onto a second line; the window grows by it.
    RECT client{};
    GetClientRect(window, &client);
    if (client.bottom != height && client.bottom > 0) {
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TopWindow::placeOnFirstShow(const Form& form) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = form.bounds.left;
    int top = form.bounds.top;
    if (left == 0 && top == 0) {
        // No designed position: centred on the work area, as the program's windows start.
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + std::max(0L, (work.right - work.left - width) / 2);
        top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TopWindow::bringUp() {
    if (window == nullptr || !IsWindowVisible(window)) {
        return;
    }
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

void TopWindow::beginModal() {
    if (window == nullptr) {
        return;
    }
    if (shownOver != nullptr && IsWindow(shownOver)) {
        owner = shownOver;
        // The owner keeps its modal window above it and takes activation back when it goes.
        SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
    // A modal window is a dialog: it cannot be minimised away from its disabled owner.
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetWindowLongPtrA(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    bringUp();
}

void TopWindow::releaseOwner() {
    if (owner != nullptr && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
}

void TopWindow::focusMessage(UINT message, WPARAM wParam) {
    if (message == WM_SETFOCUS) {
        restoreFocus();
    } else if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) {
            lastFocus = focus;
        }
    } else if (HIWORD(wParam) == 0) {
        restoreFocus();
    }
}

void TopWindow::restoreFocus() {
    HWND target = lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (target != nullptr && target != window) {
        SetFocus(target);
    }
}

} // namespace ui::win32
