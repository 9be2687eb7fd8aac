// Form windows: creation of the standard controls from their kinds, refresh from the model, and
// the window procedure that turns user input into model changes and events.
#include "ui/win32/FormWindow.h"

#include "ui/App.h"
#include "ui/win32/Menus.h"
#include "ui/win32/Pictures.h"

#include <commctrl.h>

#include <algorithm>

namespace ui::win32 {

namespace {

// Control ids start above the dialog manager's IDOK/IDCANCEL and the static id 0xFFFF is never
// reached by a form's few dozen controls.
constexpr WORD kFirstControlId = 100;
// Room below a combo box's edit field for its drop-down list.
constexpr int kComboDropHeight = 160;

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

bool isContainer(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::Picture;
}

bool hasWindow(ControlKind kind) {
    return kind != ControlKind::Timer && kind != ControlKind::MenuItem;
}

// A control is shown only when it and every container around it are visible.
bool shownInModel(const Control& control) {
    for (const Control* c = &control; c != nullptr; c = c->container) {
        if (!c->visible) {
            return false;
        }
    }
    return true;
}

// A control inside a disabled container cannot be used, so it is shown disabled too.
bool enabledInModel(const Control& control) {
    for (const Control* c = &control; c != nullptr; c = c->container) {
        if (!c->enabled) {
            return false;
        }
    }
    return true;
}

bool sameBounds(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

const std::string& resourceOf(const Control& control) {
    static const std::string none;
    if (control.kind == ControlKind::Image) {
        return static_cast<const Image&>(control).resource;
    }
    if (control.kind == ControlKind::Picture) {
        return static_cast<const Picture&>(control).resource;
    }
    return none;
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

bool isFormWindow(HWND window) {
    char name[32] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
           std::string(name) == kFormClassName;
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
    window = CreateWindowExA(0, kFormClassName, form.caption.c_str(), style, CW_USEDEFAULT,
                             CW_USEDEFAULT, std::max(form.bounds.width, 1),
                             std::max(form.bounds.height, 1), nullptr, nullptr, instance, this);
    if (window == nullptr) {
        return;
    }
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
    if (window == nullptr) {
        return;
    }
    const HWND closing = window;
    // Like the dialog manager: the owner is enabled before its modal window goes, so that the
    // system hands activation back to it rather than to another program.
    if (owner != nullptr && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
    SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
    forgetWindow();
    DestroyWindow(closing); // destroys the menu bar with it
}

void FormWindow::forgetWindow() {
    window = nullptr;
    for (ControlWindow& entry : entries) {
        entry.window.handle = nullptr;
    }
}

HWND FormWindow::controlHandle(const Control& control) const {
    for (const ControlWindow& entry : entries) {
        if (entry.control == &control) {
            return entry.window.handle;
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

ControlWindow* FormWindow::entryFor(HWND control) {
    if (control == nullptr) {
        return nullptr;
    }
    for (ControlWindow& entry : entries) {
        if (entry.window.handle == control) {
            return &entry;
        }
    }
    return nullptr;
}

ControlWindow* FormWindow::entryFor(WORD id) {
    if (id < kFirstControlId || id - kFirstControlId >= static_cast<int>(entries.size())) {
        return nullptr;
    }
    return &entries[static_cast<std::size_t>(id - kFirstControlId)];
}

Rect FormWindow::absoluteBounds(const Control& control) const {
    Rect result = control.bounds;
    // A control's bounds are relative to its container; containers are siblings here.
    int depth = 0;
    for (const Control* c = control.container; c != nullptr && depth < 64; c = c->container) {
        result.left += c->bounds.left;
        result.top += c->bounds.top;
        ++depth;
    }
    return result;
}

void FormWindow::createControls() {
    // Controls may be declared after the window was made; each gets its window once.
    const auto& all = form->controls();
    const std::size_t first = entries.size();
    for (std::size_t i = first; i < all.size(); ++i) {
        ControlWindow entry;
        entry.control = all[i];
        entry.id = static_cast<WORD>(kFirstControlId + i);
        entries.push_back(entry);
    }
    for (std::size_t i = first; i < entries.size(); ++i) {
        createControl(entries[i], i > 0 ? entries[i - 1].control : nullptr);
        addCommands(entries[i]);
    }
    // Containers go below everything so the controls inside them are drawn on top; the last
    // declared goes down first, so an outer container ends below the ones it holds.
    for (std::size_t i = entries.size(); i-- > first;) {
        if (isContainer(entries[i].control->kind) && entries[i].window.handle != nullptr) {
            SetWindowPos(entries[i].window.handle, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void FormWindow::createControl(ControlWindow& entry, const Control* previous) {
    const Control& control = *entry.control;
    if (!hasWindow(control.kind)) {
        return;
    }
    const char* className = "STATIC";
    DWORD style = WS_CHILD;
    DWORD exStyle = 0;
    switch (control.kind) {
    case ControlKind::Label:
        style |= SS_LEFT;
        break;
    case ControlKind::Button:
        className = "BUTTON";
        style |= WS_TABSTOP | WS_GROUP |
                 (static_cast<const Button&>(control).isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::Frame:
        className = "BUTTON";
        style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
        break;
    case ControlKind::CheckBox:
        // Not automatic: the model owns the value and the click writes it.
        className = "BUTTON";
        style |= BS_3STATE | WS_TABSTOP | WS_GROUP;
        break;
    case ControlKind::OptionButton: {
        className = "BUTTON";
        style |= BS_RADIOBUTTON | WS_TABSTOP;
        const bool continuesGroup = previous != nullptr &&
                                    previous->kind == ControlKind::OptionButton &&
                                    previous->container == control.container;
        if (!continuesGroup) {
            style |= WS_GROUP;
        }
        break;
    }
    case ControlKind::ListBox:
        className = "LISTBOX";
        style |=
            LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP;
        if (static_cast<const ListBox&>(control).multiSelect) {
            style |= LBS_EXTENDEDSEL;
        }
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ComboBox:
        className = "COMBOBOX";
        style |= WS_VSCROLL | WS_TABSTOP | WS_GROUP |
                 (static_cast<const ComboBox&>(control).style == ComboBox::Style::DropDownList
                      ? CBS_DROPDOWNLIST
                      : CBS_DROPDOWN | CBS_AUTOHSCROLL);
        break;
    case ControlKind::Image:
        style |= SS_OWNERDRAW;
        break;
    case ControlKind::Picture:
        style |= SS_OWNERDRAW | WS_CLIPSIBLINGS;
        break;
    default:
        return;
    }
    const Rect place = absoluteBounds(control);
    const int height =
        control.kind == ControlKind::ComboBox ? place.height + kComboDropHeight : place.height;
    entry.window.handle = CreateWindowExA(
        exStyle, className, "", style, place.left, place.top, std::max(place.width, 0),
        std::max(height, 0), window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(entry.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
    entry.window.setFont(fonts.font(control.fontFace));
    entry.fontFace = control.fontFace;
    entry.bounds = control.kind == ControlKind::ComboBox ? Rect{} : place;
}

void FormWindow::addCommands(ControlWindow& entry) {
    Control* control = entry.control;
    const std::size_t index = static_cast<std::size_t>(entry.id - kFirstControlId);
    switch (control->kind) {
    case ControlKind::Button:
        commands[entry.id] = [this, control](WORD code) {
            if (code == BN_CLICKED) {
                click(*control);
            }
        };
        break;
    case ControlKind::CheckBox:
        commands[entry.id] = [this, control](WORD code) {
            auto& box = static_cast<CheckBox&>(*control);
            if (code == BN_CLICKED && box.reachable()) {
                // A click checks an unchecked box and unchecks a checked or greyed one.
                box.value = box.value == 0 ? 1 : 0;
                click(box);
            }
        };
        break;
    case ControlKind::OptionButton:
        commands[entry.id] = [this, control](WORD code) {
            auto& option = static_cast<OptionButton&>(*control);
            if (code == BN_CLICKED && option.reachable()) {
                option.select();
                click(option);
            }
        };
        break;
    case ControlKind::ListBox:
        commands[entry.id] = [this, control, index](WORD code) {
            auto& list = static_cast<ListControl&>(*control);
            if (code == LBN_SELCHANGE && list.reachable()) {
                const int before = list.listIndex();
                readListSelection(entries[index]);
                fireSelection(list, list.listIndex() != before);
            }
        };
        break;
    case ControlKind::ComboBox:
        commands[entry.id] = [this, control, index](WORD code) {
            auto& combo = static_cast<ComboBox&>(*control);
            if (!combo.reachable()) {
                return;
            }
            if (code == CBN_SELCHANGE) {
                const int before = combo.listIndex();
                const int chosen = ComboBoxWindow(entries[index].window.handle).current();
                combo.setListIndex(chosen);
                combo.text = combo.item(chosen);
                entries[index].comboText = combo.text;
                fireSelection(combo, combo.listIndex() != before);
            } else if (code == CBN_EDITCHANGE) {
                combo.text = entries[index].window.text();
                entries[index].comboText = combo.text;
                fire([&combo] {
                    if (combo.onChange) {
                        combo.onChange();
                    }
                });
            }
        };
        break;
    case ControlKind::MenuItem:
        // Menu clicks (code 0) and accelerators (code 1) alike.
        commands[entry.id] = [this, control](WORD) { click(*control); };
        break;
    default:
        break;
    }
}

void FormWindow::readListSelection(ControlWindow& entry) {
    auto& list = static_cast<ListControl&>(*entry.control);
    const ListBoxWindow box(entry.window.handle);
    if (list.multiSelect) {
        const int count = std::min(list.listCount(), box.count());
        for (int i = 0; i < count; ++i) {
            const bool on = box.selected(i);
            if (list.selected(i) != on) {
                list.setSelected(i, on);
            }
        }
        list.setListIndex(box.current(true));
    } else {
        list.setListIndex(box.current(false));
    }
}

void FormWindow::fireSelection(ListControl& list, bool changed) {
    // One event for both handlers: the click may unload the window, and its change handler must
    // not run on a window that is gone.
    fire([&list, changed] {
        if (list.onClick) {
            list.onClick();
        }
        if (changed && list.onChange && list.form.app.isLoaded(list.form)) {
            list.onChange();
        }
    });
}

void FormWindow::fire(const std::function<void()>& handler) {
    if (form != nullptr) {
        form->app.fire(handler);
    }
}

void FormWindow::click(Control& control) {
    // The system delivers clicks only to usable controls; an accelerator for a hidden entry or a
    // message posted before a control was disabled must not run its handler.
    if (!control.reachable()) {
        return;
    }
    fire([&control] {
        if (control.onClick) {
            control.onClick();
        }
    });
}

void FormWindow::refresh() {
    if (window == nullptr || form == nullptr) {
        return;
    }
    updating = true;
    if (entries.size() < form->controls().size()) {
        createControls();
    }
    for (ControlWindow& entry : entries) {
        if (entry.control->kind == ControlKind::Timer) {
            applyTimer(entry);
        } else if (entry.window.handle != nullptr) {
            applyControl(entry);
        }
    }
    applyMenu();
    applyForm();
    updating = false;
}

void FormWindow::applyControl(ControlWindow& entry) {
    const Control& control = *entry.control;
    const Window& target = entry.window;
    const bool first = !entry.applied;
    const bool textual = control.kind != ControlKind::ListBox &&
                         control.kind != ControlKind::ComboBox &&
                         control.kind != ControlKind::Image && control.kind != ControlKind::Picture;
    if (textual && (first || entry.caption != control.caption)) {
        target.setText(control.caption);
        entry.caption = control.caption;
    }
    const Rect place = absoluteBounds(control);
    if (!sameBounds(place, entry.bounds)) {
        const int height =
            control.kind == ControlKind::ComboBox ? place.height + kComboDropHeight : place.height;
        target.place(place.left, place.top, place.width, height);
        entry.bounds = place;
    }
    if (entry.fontFace != control.fontFace) {
        target.setFont(fonts.font(control.fontFace));
        entry.fontFace = control.fontFace;
    }
    const bool usable = enabledInModel(control);
    if (first || entry.enabled != usable) {
        target.enable(usable);
        entry.enabled = usable;
    }
    if (entry.foreColor != control.foreColor) {
        entry.foreColor = control.foreColor;
        if (!first) {
            target.invalidate();
        }
    }
    switch (control.kind) {
    case ControlKind::CheckBox: {
        const int value = static_cast<const CheckBox&>(control).value;
        if (entry.value != value) {
            CheckWindow(target.handle).setState(value);
            entry.value = value;
        }
        break;
    }
    case ControlKind::OptionButton: {
        const int value = static_cast<const OptionButton&>(control).value ? 1 : 0;
        if (entry.value != value) {
            CheckWindow(target.handle).setState(value);
            entry.value = value;
        }
        break;
    }
    case ControlKind::ListBox:
        applyList(entry);
        break;
    case ControlKind::ComboBox:
        applyCombo(entry);
        break;
    case ControlKind::Image:
    case ControlKind::Picture:
        if (!first && resourceOf(control) != entry.caption) {
            target.invalidate();
        }
        entry.caption = resourceOf(control);
        break;
    default:
        break;
    }
    const bool shown = shownInModel(control);
    if (first || entry.visible != shown) {
        target.show(shown);
        entry.visible = shown;
    }
    entry.applied = true;
}

// Brings a window's entries in line with the model's: appends when the model only grew, else
// fills anew. Answers whether it filled anew.
template <class Box>
static bool syncEntries(const Box& box, const std::vector<std::string>& model,
                        std::vector<std::string>& shown) {
    const bool grew =
        model.size() >= shown.size() && std::equal(shown.begin(), shown.end(), model.begin());
    bool refilled = false;
    if (!grew) {
        box.clear();
        shown.clear();
        refilled = true;
    }
    for (std::size_t i = shown.size(); i < model.size(); ++i) {
        box.add(model[i]);
    }
    shown = model;
    return refilled;
}

void FormWindow::applyList(ControlWindow& entry) {
    const auto& list = static_cast<const ListBox&>(*entry.control);
    const ListBoxWindow box(entry.window.handle);
    if (list.horizontalExtent != entry.extent) {
        box.setHorizontalExtent(list.horizontalExtent);
        entry.extent = list.horizontalExtent;
    }
    if (entry.applied && entry.revision == list.revision()) {
        return;
    }
    if (list.items() != entry.items) {
        syncEntries(box, list.items(), entry.items);
    }
    if (list.multiSelect) {
        const int count = std::min(list.listCount(), box.count());
        for (int i = 0; i < count; ++i) {
            if (box.selected(i) != list.selected(i)) {
                box.setSelected(i, list.selected(i));
            }
        }
    } else if (box.current(false) != list.listIndex()) {
        box.setCurrent(list.listIndex());
    }
    entry.revision = list.revision();
}

void FormWindow::applyCombo(ControlWindow& entry) {
    const auto& combo = static_cast<const ComboBox&>(*entry.control);
    const ComboBoxWindow box(entry.window.handle);
    bool refilled = !entry.applied;
    if (!entry.applied || entry.revision != combo.revision()) {
        if (combo.items() != entry.items) {
            // Emptying a drop-down combo empties its edit field too.
            refilled = syncEntries(box, combo.items(), entry.items) || refilled;
        }
        if (box.current() != combo.listIndex()) {
            box.setCurrent(combo.listIndex());
            refilled = true;
        }
        entry.revision = combo.revision();
    }
    // The edit field shows the model's text whenever the program changed it, or the list reset
    // it; the user's own typing is already in the model.
    if (combo.style == ComboBox::Style::DropDownCombo &&
        (entry.comboText != combo.text || (refilled && !combo.text.empty()))) {
        entry.window.setText(combo.text);
        entry.comboText = combo.text;
    }
}

void FormWindow::applyTimer(ControlWindow& entry) {
    const auto& timer = static_cast<const Timer&>(*entry.control);
    const bool wanted = timer.enabled && timer.interval > 0;
    if (wanted && (!entry.timerRunning || entry.timerInterval != timer.interval)) {
        SetTimer(window, entry.id, static_cast<UINT>(timer.interval), nullptr);
        entry.timerRunning = true;
        entry.timerInterval = timer.interval;
    } else if (!wanted && entry.timerRunning) {
        KillTimer(window, entry.id);
        entry.timerRunning = false;
    }
}

void FormWindow::applyMenu() {
    const std::string state = menuState(*form);
    if (menuApplied && state == appliedMenu) {
        return;
    }
    HMENU previous = GetMenu(window);
    HMENU bar = buildMenuBar(*form, [this](const Control& control) { return idOf(control); });
    SetMenu(window, bar);
    if (previous != nullptr) {
        DestroyMenu(previous);
    }
    DrawMenuBar(window);
    appliedMenu = state;
    const bool hadMenu = menuApplied && previous != nullptr;
    menuApplied = true;
    // The client area keeps its designed size when a menu bar comes or goes.
    if (formApplied && hadMenu != (bar != nullptr)) {
        fitClientArea();
    }
}

void FormWindow::fitClientArea() {
    const int width = std::max(form->bounds.width, 0);
    const int height = std::max(form->bounds.height, 0);
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

void FormWindow::placeOnFirstShow() {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int left = form->bounds.left;
    int top = form->bounds.top;
    if (left == 0 && top == 0) {
        // No designed position: centred on the work area, as the program's windows start.
        RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + std::max(0L, (work.right - work.left - width) / 2);
        top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyForm() {
    const bool first = !formApplied;
    formApplied = true;
    if (first || caption != form->caption) {
        SetWindowTextA(window, form->caption.c_str());
        caption = form->caption;
    }
    if (first || bounds.width != form->bounds.width || bounds.height != form->bounds.height) {
        fitClientArea();
        bounds = form->bounds;
    }
    if (first || enabled != form->enabled) {
        EnableWindow(window, form->enabled ? TRUE : FALSE);
        enabled = form->enabled;
    }
    if (form->visible && !visible) {
        if (!everShown) {
            const HWND active = GetActiveWindow();
            shownOver = active != window && isFormWindow(active) ? active : nullptr;
            placeOnFirstShow();
            everShown = true;
        }
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        visible = true;
    } else if (!form->visible && visible) {
        ShowWindow(window, SW_HIDE);
        visible = false;
    }
}

void FormWindow::bringUp() {
    if (window == nullptr || !IsWindowVisible(window)) {
        return;
    }
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

void FormWindow::beginModal() {
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

bool FormWindow::translate(MSG& message) {
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
        target = window;
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

LRESULT FormWindow::colourStatic(HDC dc, HWND control) {
    const ControlWindow* entry = entryFor(control);
    const Color colour = entry != nullptr ? entry->control->foreColor : kDefaultColor;
    SetTextColor(dc, colour != kDefaultColor ? colour : GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT FormWindow::colourList(HDC dc, HWND control) {
    const ControlWindow* entry = entryFor(control);
    const Color colour = entry != nullptr ? entry->control->foreColor : kDefaultColor;
    SetTextColor(dc, colour != kDefaultColor ? colour : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void FormWindow::drawItem(const DRAWITEMSTRUCT& item) {
    const ControlWindow* entry = entryFor(item.hwndItem);
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (entry != nullptr) {
        drawPicture(item.hDC, item.rcItem, resourceOf(*entry->control));
    }
}

void FormWindow::onCommand(WORD id, WORD code) {
    if (updating) {
        return;
    }
    if (id == IDCANCEL && form != nullptr) {
        // Escape presses the window's cancel button.
        for (Control* control : form->controls()) {
            if (control->kind == ControlKind::Button && static_cast<Button*>(control)->isCancel) {
                click(*control);
                return;
            }
        }
        return;
    }
    const auto command = commands.find(id);
    if (command != commands.end()) {
        command->second(code);
    }
}

void FormWindow::restoreFocus() {
    HWND target = lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (target != nullptr && target != window) {
        SetFocus(target);
    }
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER: {
        ControlWindow* entry = entryFor(static_cast<WORD>(wParam));
        if (entry != nullptr && entry->control->kind == ControlKind::Timer && entry->timerRunning &&
            entry->control->enabled) {
            auto* timer = static_cast<Timer*>(entry->control);
            fire([timer] {
                if (timer->onTimer) {
                    timer->onTimer();
                }
            });
        }
        return 0;
    }
    case WM_CLOSE:
        if (form != nullptr) {
            Form* closing = form;
            fire([closing] { closing->closeRequested(); });
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORLISTBOX:
        return colourList(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window, focus)) {
                lastFocus = focus;
            }
        } else if (HIWORD(wParam) == 0) {
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case DM_GETDEFID:
        if (form != nullptr) {
            for (Control* control : form->controls()) {
                if (control->kind == ControlKind::Button &&
                    static_cast<Button*>(control)->isDefault && control->reachable()) {
                    return MAKELRESULT(idOf(*control), DC_HASDEFID);
                }
            }
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace ui::win32
