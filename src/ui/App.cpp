// The application object: window lifetimes, modal showing, events and message boxes.
#include "ui/App.h"

#include "platform/Process.h"

#include <algorithm>

namespace ui {

App::App(Renderer& renderer) : renderer(renderer) {
    // While an external program runs (the registry editor, extract), the windows stay alive.
    platform::setPendingMessagesHook([this] { doEvents(); });
}

App::~App() {
    platform::setPendingMessagesHook(nullptr);
}

void App::adopt(std::unique_ptr<Form> created) {
    Form& form = *created;
    instances.push_back(std::move(created));
    renderer.formLoaded(form);
    // A window may unload itself in its own Form_Load (the splash of a second instance does):
    // the caller still holds it, so it is released only by a later event, never here.
    ++handlerDepth;
    fire([&form] { form.Form_Load(); });
    --handlerDepth;
}

Form* App::formNamed(const std::string& name) {
    if (Form* existing = findForm(name)) {
        return existing;
    }
    const auto factory = factories.find(name);
    if (factory == factories.end()) {
        return nullptr;
    }
    std::unique_ptr<Form> created = factory->second(*this);
    Form* result = created.get();
    adopt(std::move(created));
    return result;
}

void App::showModeless(Form& form) {
    if (!isLoaded(form)) {
        return;
    }
    form.visible = true;
    renderer.formShown(form);
    refreshAll();
}

void App::showNamed(const std::string& name) {
    formNamed(name);
    // Looked up again: a window may unload itself while it loads.
    if (Form* form = findForm(name)) {
        showModeless(*form);
    }
}

void App::showModalNamed(const std::string& name, Form& owner) {
    if (Form* form = formNamed(name)) {
        showModal(*form, &owner);
    }
}

void App::showModal(Form& form, Form* owner) {
    if (!isLoaded(form)) {
        return;
    }
    // Every other window waits while a modal one is open, as in any Windows program.
    std::vector<Form*> disabled;
    for (const auto& other : instances) {
        if (other.get() != &form && other->enabled) {
            other->enabled = false;
            disabled.push_back(other.get());
        }
    }
    (void)owner; // the renderer keeps the owner for the window's placement
    form.visible = true;
    refreshAll();
    modals.push_back(&form);
    renderer.runModal(form);
    modals.pop_back();
    for (Form* other : disabled) {
        if (isLoaded(*other)) {
            other->enabled = true;
        }
    }
    refreshAll();
}

void App::unload(Form& form) {
    if (!isLoaded(form)) {
        return;
    }
    fire([&form] { form.Form_Unload(); });
    form.visible = false;
    renderer.formUnloaded(form);
    for (auto it = instances.begin(); it != instances.end(); ++it) {
        if (it->get() == &form) {
            unloaded.push_back(std::move(*it));
            instances.erase(it);
            break;
        }
    }
    if (instances.empty()) {
        endedFlag = true;
    }
    releaseUnloaded();
}

bool App::isLoaded(const Form& form) const {
    for (const auto& loaded : instances) {
        if (loaded.get() == &form) {
            return true;
        }
    }
    return false;
}

std::vector<Form*> App::loadedForms() const {
    std::vector<Form*> forms;
    for (const auto& loaded : instances) {
        forms.push_back(loaded.get());
    }
    return forms;
}

Form* App::findForm(const std::string& name) const {
    for (const auto& loaded : instances) {
        if (loaded->name == name) {
            return loaded.get();
        }
    }
    return nullptr;
}

MsgBoxResult App::msgBox(const std::string& text, const std::string& title, MsgBoxButtons buttons,
                         MsgBoxIcon icon, Form* owner) {
    refreshAll();
    return renderer.messageBox(MessageBoxRequest{text, title, buttons, icon, owner});
}

void App::doEvents() {
    refreshAll();
    renderer.processPendingMessages();
}

void App::fire(const std::function<void()>& handler) {
    if (!handler) {
        return;
    }
    ++handlerDepth;
    handler();
    --handlerDepth;
    refreshAll();
    releaseUnloaded();
}

void App::refreshAll() {
    for (const auto& form : instances) {
        renderer.refresh(*form);
    }
}

void App::releaseUnloaded() {
    // A window may unload itself from its own handler: it dies only when no handler runs.
    if (handlerDepth == 0) {
        unloaded.clear();
    }
}

} // namespace ui
