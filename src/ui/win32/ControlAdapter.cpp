// What every control window shares: its creation, and the caption, place, font, state, colour and
// visibility taken from the model, touching the window only where the model changed.
#include "ui/win32/ControlAdapter.h"

#include <algorithm>

namespace ui::win32 {

namespace {

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

// The control's place in the form's client area: its bounds are relative to its container, and
// containers are siblings of what they hold here.
Rect absoluteBounds(const Control& control) {
    Rect result = control.bounds;
    int depth = 0;
    for (const Control* c = control.container; c != nullptr && depth < 64; c = c->container) {
        result.left += c->bounds.left;
        result.top += c->bounds.top;
        ++depth;
    }
    return result;
}

bool sameBounds(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

} // namespace

std::unique_ptr<ControlAdapter> makeAdapter(Control& control, WORD id) {
    switch (control.kind) {
    case ControlKind::Label:
        return adapt(static_cast<Label&>(control), id);
    case ControlKind::Button:
        return adapt(static_cast<Button&>(control), id);
    case ControlKind::Frame:
        return adapt(static_cast<Frame&>(control), id);
    case ControlKind::CheckBox:
        return adapt(static_cast<CheckBox&>(control), id);
    case ControlKind::OptionButton:
        return adapt(static_cast<OptionButton&>(control), id);
    case ControlKind::ListBox:
        return adapt(static_cast<ListBox&>(control), id);
    case ControlKind::ComboBox:
        return adapt(static_cast<ComboBox&>(control), id);
    case ControlKind::Image:
        return adapt(static_cast<Image&>(control), id);
    case ControlKind::Picture:
        return adapt(static_cast<Picture&>(control), id);
    case ControlKind::Timer:
        return adapt(static_cast<Timer&>(control), id);
    case ControlKind::MenuItem:
        return adapt(static_cast<MenuItem&>(control), id);
    }
    return nullptr;
}

void WindowedAdapter::create(const AdapterHost& host, const Control* previous) {
    const WindowLook made = look(previous);
    const Rect place = absoluteBounds(control);
    const int height = place.height + dropHeight();
    window.handle = CreateWindowExA(
        made.exStyle, made.className, "", WS_CHILD | made.style, place.left, place.top,
        std::max(place.width, 0), std::max(height, 0), host.window,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(host.window, GWLP_HINSTANCE)), nullptr);
    window.setFont(host.fonts.font(control.fontFace));
    fontFace = control.fontFace;
    // A drop-down's window is placed again by the first refresh, its list's room included.
    bounds = dropHeight() > 0 ? Rect{} : place;
    addCommands(host.commands);
}

void WindowedAdapter::refresh(const AdapterHost& host) {
    if (window.handle == nullptr) {
        return;
    }
    const bool first = !applied;
    if (showsCaption() && (first || caption != control.caption)) {
        window.setText(control.caption);
        caption = control.caption;
    }
    const Rect place = absoluteBounds(control);
    if (!sameBounds(place, bounds)) {
        window.place(place.left, place.top, place.width, place.height + dropHeight());
        bounds = place;
    }
    if (fontFace != control.fontFace) {
        window.setFont(host.fonts.font(control.fontFace));
        fontFace = control.fontFace;
    }
    const bool usable = enabledInModel(control);
    if (first || enabled != usable) {
        window.enable(usable);
        enabled = usable;
    }
    if (foreColor != control.foreColor) {
        foreColor = control.foreColor;
        if (!first) {
            window.invalidate();
        }
    }
    refreshOwn(first);
    const bool shown = shownInModel(control);
    if (first || visible != shown) {
        window.show(shown);
        visible = shown;
    }
    applied = true;
}

} // namespace ui::win32
