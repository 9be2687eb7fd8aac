// Form windows: the class and its trampoline, the window's making and destruction, the refresh
// that walks the control adapters, and the window procedure that hands messages to them.
#include "ui/win32/FormWindow.h"

#include "ui/App.h"
#include "ui/UserInput.h"

#include <commctrl.h>

#include <algorithm>

namespace ui::win32 {

namespace {

// Control ids start above the dialog manager's IDOK/IDCANCEL and the static id 0xFFFF is never
// reached by a form's few dozen controls.
constexpr WORD kFirstControlId = 100;

// The one window procedure of the class: finds the FormWindow the window belongs to.
LRESULT CALLBACK formWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<FormWindow*>(create->lpCreateParams)->attach(window);
    }
    auto* owner = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->forgetWindow();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return owner->handleMessage(message, wParam, lParam);
}

// The default button the dialog manager presses on Enter: the first one a user can reach.
const Button* defaultButton(const Form& form) {
    for (const Control* control : form.controls()) {
        if (control->kind == ControlKind::Button &&
            static_cast<const Button*>(control)->isDefault && control->reachable()) {
            return static_cast<const Button*>(control);
        }
    }
    return nullptr;
}

} // namespace

bool registerFormClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kFormClassName, &existing)) {
        return true;
    }
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = formWindowProc;
    description.hInstance = instance;
    // The program's icon is resource 1 when the executable carries one.
    description.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (description.hIcon == nullptr) {
        description.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    }
    description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = kFormClassName;
    return RegisterClassExA(&description) != 0;
}

FormWindow::FormWindow(Form& form, HINSTANCE instance, Fonts& fonts) : form(&form), fonts(fonts) {
    InitCommonControls();
    if (!registerFormClass(instance)) {
        return;
    }
    DWORD style = WS_CLIPSIBLINGS;
    if (form.hasTitleBar) {
        style |= WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX;
        if (form.hasCloseBox) {
            style |= WS_SYSMENU;
        }
    } else {
        style |= WS_POPUP;
    }
    // The trampoline attaches the window to this object while it is being made.
    const HWND made =
        CreateWindowExA(0, kFormClassName, form.caption.c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, std::max(form.bounds.width, 1),
                        std::max(form.bounds.height, 1), nullptr, nullptr, instance, this);
    if (made == nullptr) {
        return;
    }
    // Escape presses the window's cancel button; a window without one, or one the user cannot
    // reach, ignores it.
    commands[IDCANCEL] = [this](WORD) {
        if (this->form != nullptr) {
            (void)press(*this->form, "Escape");
        }
    };
    createControls();
    accelerators =
        buildAccelerators(form, [this](const Control& control) { return idOf(control); });
    refresh();
}

FormWindow::~FormWindow() {
    destroy();
}

void FormWindow::destroy() {
    form = nullptr;
    if (accelerators != nullptr) {
        DestroyAcceleratorTable(accelerators);
        accelerators = nullptr;
    }
    const HWND closing = top.handle();
    if (closing == nullptr) {
        return;
    }
    top.releaseOwner();
    SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
    forgetWindow();
    DestroyWindow(closing); // destroys the menu bar with it
}

void FormWindow::forgetWindow() {
    top.attach(nullptr);
    for (const auto& adapter : adapters) {
        adapter->forgetWindow();
    }
}

AdapterHost FormWindow::host() {
    return AdapterHost{top.handle(), fonts, commands};
}

HWND FormWindow::controlHandle(const Control& control) const {
    for (const auto& adapter : adapters) {
        if (&adapter->control == &control) {
            return adapter->handle();
        }
    }
    return nullptr;
}

WORD FormWindow::idOf(const Control& control) const {
    if (form != nullptr) {
        const auto& all = form->controls();
        const auto found = std::find(all.begin(), all.end(), &control);
        if (found != all.end()) {
            return static_cast<WORD>(kFirstControlId + (found - all.begin()));
        }
    }
    return 0;
}

ControlAdapter* FormWindow::adapterFor(HWND control) const {
    if (control == nullptr) {
        return nullptr;
    }
    for (const auto& adapter : adapters) {
        if (adapter->handle() == control) {
            return adapter.get();
        }
    }
    return nullptr;
}

ControlAdapter* FormWindow::adapterFor(WORD id) const {
    if (id < kFirstControlId || id - kFirstControlId >= static_cast<int>(adapters.size())) {
        return nullptr;
    }
    return adapters[static_cast<std::size_t>(id - kFirstControlId)].get();
}

void FormWindow::createControls() {
    // Controls may be declared after the window was made; each gets its window once.
    const auto& all = form->controls();
    const std::size_t first = adapters.size();
    for (std::size_t i = first; i < all.size(); ++i) {
        adapters.push_back(makeAdapter(*all[i], static_cast<WORD>(kFirstControlId + i)));
    }
    const AdapterHost made = host();
    for (std::size_t i = first; i < adapters.size(); ++i) {
        adapters[i]->create(made, i > 0 ? &adapters[i - 1]->control : nullptr);
    }
    // Containers go below everything so the controls inside them are drawn on top; the last
    // declared goes down first, so an outer container ends below the ones it holds.
    for (std::size_t i = adapters.size(); i-- > first;) {
        if (adapters[i]->holdsControls() && adapters[i]->handle() != nullptr) {
            SetWindowPos(adapters[i]->handle(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FormWindow::refresh() {
    if (top.handle() == nullptr || form == nullptr) {
        return;
    }
    updating = true;
    if (adapters.size() < form->controls().size()) {
        createControls();
    }
    const AdapterHost current = host();
    for (const auto& adapter : adapters) {
        adapter->refresh(current);
    }
    const bool barChanged = menuBar.apply(top.handle(), *form,
                                          [this](const Control& control) { return idOf(control); });
    // The client area keeps its designed size when a menu bar comes or goes.
    if (barChanged && top.applied()) {
        top.fitClientArea(*form);
    }
    top.apply(*form);
    updating = false;
}

bool FormWindow::translate(MSG& message) {
    const HWND window = top.handle();
    if (window == nullptr) {
        return false;
    }
    if (accelerators != nullptr && TranslateAcceleratorA(window, accelerators, &message)) {
        return true;
    }
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 && message.hwnd != window) {
        // Alt+F4 closes the window whichever control has the focus; some combo boxes keep every
        // system key for themselves.
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    return IsDialogMessageA(window, &message) != FALSE;
}

int FormWindow::textWidth(const Control* control, const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    HWND target = control != nullptr ? controlHandle(*control) : nullptr;
    HFONT font = target != nullptr ? reinterpret_cast<HFONT>(SendMessageA(target, WM_GETFONT, 0, 0))
                                   : nullptr;
    if (font == nullptr) {
        font = fonts.font(control != nullptr ? control->fontFace
                                             : (form != nullptr ? form->fontFace : std::string()));
    }
    if (target == nullptr) {
        target = top.handle();
    }
    HDC dc = GetDC(target);
    if (dc == nullptr) {
        return 0;
    }
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(target, dc);
    return size.cx;
}

LRESULT FormWindow::colour(HDC dc, HWND control, int text, int background) {
    const ControlAdapter* adapter = adapterFor(control);
    const Color own = adapter != nullptr ? adapter->control.foreColor : kDefaultColor;
    SetTextColor(dc, own != kDefaultColor ? own : GetSysColor(text));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto command = commands.find(LOWORD(wParam));
        if (!updating && command != commands.end()) {
            command->second(HIWORD(wParam));
        }
        return 0;
    }
    case WM_TIMER:
        if (ControlAdapter* adapter = adapterFor(static_cast<WORD>(wParam))) {
            adapter->tick();
        }
        return 0;
    case WM_CLOSE:
        if (form != nullptr) {
            Form* closing = form;
            closing->app.fire([closing] { closing->closeRequested(); });
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), COLOR_BTNTEXT,
                      COLOR_BTNFACE);
    case WM_CTLCOLORLISTBOX:
        return colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                      COLOR_WINDOWTEXT, COLOR_WINDOW);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const ControlAdapter* adapter = adapterFor(item.hwndItem)) {
            adapter->draw(item);
        } else {
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        }
        return TRUE;
    }
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        top.focusMessage(message, wParam);
        return 0;
    case DM_GETDEFID:
        if (form != nullptr) {
            if (const Button* button = defaultButton(*form)) {
                return MAKELRESULT(idOf(*button), DC_HASDEFID);
            }
        }
        return 0;
    default:
        return DefWindowProcA(top.handle(), message, wParam, lParam);
    }
}

} // namespace ui::win32
