// Thin HWND wrappers: each call is one or two window messages.
#include "ui/win32/Widgets.h"

namespace ui::win32 {

std::string Window::text() const {
    if (handle == nullptr) {
        return std::string();
    }
    const int length = GetWindowTextLengthA(handle);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(handle, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

void Window::setText(const std::string& value) const {
    SetWindowTextA(handle, value.c_str());
}

void Window::enable(bool on) const {
    EnableWindow(handle, on ? TRUE : FALSE);
}

void Window::show(bool on) const {
    ShowWindow(handle, on ? SW_SHOWNA : SW_HIDE);
}

void Window::place(int left, int top, int width, int height) const {
    MoveWindow(handle, left, top, width > 0 ? width : 0, height > 0 ? height : 0, TRUE);
}

void Window::setFont(HFONT font) const {
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Window::invalidate() const {
    InvalidateRect(handle, nullptr, TRUE);
}

int CheckWindow::state() const {
    switch (SendMessageA(handle, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
        return 1;
    case BST_INDETERMINATE:
        return 2;
    default:
        return 0;
    }
}

void CheckWindow::setState(int value) const {
    const WPARAM check = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageA(handle, BM_SETCHECK, check, 0);
}

void ListBoxWindow::clear() const {
    SendMessageA(handle, LB_RESETCONTENT, 0, 0);
}

void ListBoxWindow::add(const std::string& entry) const {
    SendMessageA(handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

int ListBoxWindow::count() const {
    const LRESULT result = SendMessageA(handle, LB_GETCOUNT, 0, 0);
    return result == LB_ERR ? 0 : static_cast<int>(result);
}

int ListBoxWindow::current(bool multiSelect) const {
    if (multiSelect) {
        // An empty list still answers caret 0; only a real entry can be current.
        const LRESULT caret = SendMessageA(handle, LB_GETCARETINDEX, 0, 0);
        return caret >= 0 && caret < count() ? static_cast<int>(caret) : -1;
    }
    const LRESULT result = SendMessageA(handle, LB_GETCURSEL, 0, 0);
    return result == LB_ERR ? -1 : static_cast<int>(result);
}

void ListBoxWindow::setCurrent(int index) const {
    SendMessageA(handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListBoxWindow::selected(int index) const {
    return SendMessageA(handle, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBoxWindow::setSelected(int index, bool on) const {
    SendMessageA(handle, LB_SETSEL, on ? TRUE : FALSE, static_cast<LPARAM>(index));
}

int ListBoxWindow::horizontalExtent() const {
    return static_cast<int>(SendMessageA(handle, LB_GETHORIZONTALEXTENT, 0, 0));
}

void ListBoxWindow::setHorizontalExtent(int pixels) const {
    SendMessageA(handle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels > 0 ? pixels : 0), 0);
}

void ComboBoxWindow::clear() const {
    SendMessageA(handle, CB_RESETCONTENT, 0, 0);
}

void ComboBoxWindow::add(const std::string& entry) const {
    SendMessageA(handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

int ComboBoxWindow::count() const {
    const LRESULT result = SendMessageA(handle, CB_GETCOUNT, 0, 0);
    return result == CB_ERR ? 0 : static_cast<int>(result);
}

int ComboBoxWindow::current() const {
    const LRESULT result = SendMessageA(handle, CB_GETCURSEL, 0, 0);
    return result == CB_ERR ? -1 : static_cast<int>(result);
}

void ComboBoxWindow::setCurrent(int index) const {
    SendMessageA(handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace ui::win32
