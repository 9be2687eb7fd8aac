// Window bookkeeping: control registration, lookup by name, the default close behaviour.
#include "ui/Form.h"

#include "ui/App.h"

namespace ui {

Form::Form(App& app, std::string name) : app(app), name(std::move(name)) {}

Control* Form::find(const std::string& controlName) const {
    for (Control* control : members) {
        if (control->name == controlName) {
            return control;
        }
    }
    return nullptr;
}

void Form::closeRequested() {
    app.unload(*this);
}

void Form::add(Control& control) {
    members.push_back(&control);
}

void Form::addMenu(MenuItem& menu) {
    menus.push_back(&menu);
}

} // namespace ui
