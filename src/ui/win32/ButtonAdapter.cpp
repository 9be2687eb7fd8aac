// Push buttons, check boxes and option buttons: BUTTON windows whose click is the model's click.
#include "ui/UserInput.h"
#include "ui/win32/ControlAdapter.h"

namespace ui::win32 {

namespace {

// Every kind of button reports a click alone; the model decides what the click changes.
class ButtonLikeAdapter : public WindowedAdapter {
  public:
    using WindowedAdapter::WindowedAdapter;

  protected:
    void addCommands(CommandTable& commands) override {
        commands[id] = [this](WORD code) {
            if (code == BN_CLICKED) {
                // A refused click (a control disabled since the click was posted) does nothing,
                // as on Windows.
                (void)click(control);
            }
        };
    }
};

class PushButtonAdapter final : public ButtonLikeAdapter {
  public:
    PushButtonAdapter(Button& button, WORD id) : ButtonLikeAdapter(button, id), button(button) {}

  private:
    WindowLook look(const Control*) const override {
        return {"BUTTON",
                WS_TABSTOP | WS_GROUP |
                    static_cast<DWORD>(button.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
    }
    const Button& button;
};

// Check boxes and option buttons show the model's state; the window never changes it itself.
class CheckStateAdapter : public ButtonLikeAdapter {
  public:
    using ButtonLikeAdapter::ButtonLikeAdapter;

  protected:
    // 0 unchecked, 1 checked, 2 greyed.
    virtual int modelState() const = 0;

  private:
    void refreshOwn(bool) override {
        const int wanted = modelState();
        if (state != wanted) {
            CheckWindow(window.handle).setState(wanted);
            state = wanted;
        }
    }
    int state = -1;
};

class CheckBoxAdapter final : public CheckStateAdapter {
  public:
    CheckBoxAdapter(CheckBox& box, WORD id) : CheckStateAdapter(box, id), box(box) {}

  private:
    // Not automatic: the model owns the value and the click writes it.
    WindowLook look(const Control*) const override {
        return {"BUTTON", BS_3STATE | WS_TABSTOP | WS_GROUP};
    }
    int modelState() const override { return box.value; }
    const CheckBox& box;
};

class OptionButtonAdapter final : public CheckStateAdapter {
  public:
    OptionButtonAdapter(OptionButton& option, WORD id)
        : CheckStateAdapter(option, id), option(option) {}

  private:
    // A run of option buttons in one container is one group for the arrow keys.
    WindowLook look(const Control* previous) const override {
        const bool continuesGroup = previous != nullptr &&
                                    previous->kind == ControlKind::OptionButton &&
                                    previous->container == control.container;
        return {"BUTTON", static_cast<DWORD>(BS_RADIOBUTTON | WS_TABSTOP) |
                              (continuesGroup ? 0 : static_cast<DWORD>(WS_GROUP))};
    }
    int modelState() const override { return option.value ? 1 : 0; }
    const OptionButton& option;
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(Button& button, WORD id) {
    return std::make_unique<PushButtonAdapter>(button, id);
}

std::unique_ptr<ControlAdapter> adapt(CheckBox& box, WORD id) {
    return std::make_unique<CheckBoxAdapter>(box, id);
}

std::unique_ptr<ControlAdapter> adapt(OptionButton& option, WORD id) {
    return std::make_unique<OptionButtonAdapter>(option, id);
}

} // namespace ui::win32
