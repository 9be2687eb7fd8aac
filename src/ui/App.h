// The application object: single instances of windows, loading, showing, unloading, message boxes.
#pragma once

#include "ui/Form.h"
#include "ui/Renderer.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class App {
  public:
    explicit App(Renderer& renderer);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Renderer& renderer;

    // Every window class F carries `static constexpr const char* kFormName` ("frmMain").

    // Makes window F known by its name, so formNamed() can create it (the driver and the
    // language routines refer to windows by name).
    template <class F> void registerForm() {
        factories[F::kFormName] = [](App& app) -> std::unique_ptr<Form> {
            return std::make_unique<F>(app);
        };
    }

    // The single instance of window F, created and loaded (its Form_Load run) when it is not
    // loaded yet; referring to a window loads it, as the program's windows expect. A window that
    // unloaded itself while loading is returned unloaded, still alive until the next event.
    template <class F> F& form() {
        if (Form* existing = findForm(F::kFormName)) {
            return static_cast<F&>(*existing);
        }
        auto created = std::make_unique<F>(*this);
        F& result = *created;
        adopt(std::move(created));
        return result;
    }

    // The loaded window called `name`, or a new loaded one from its registered class; nullptr
    // when the name is unknown.
    Form* formNamed(const std::string& name);

    // True when window F is loaded.
    template <class F> bool isLoaded() const { return findForm(F::kFormName) != nullptr; }

    // Shows window F without waiting (loading it first when needed).
    template <class F> F& show() {
        F& shown = form<F>();
        showModeless(shown);
        return shown;
    }

    // Shows window F modally, owned by `owner`, and returns once it has been unloaded.
    template <class F> void showModal(Form& owner) { showModal(form<F>(), &owner); }

    // Shows a loaded window without waiting.
    void showModeless(Form& form);
    // Loads and shows the window called `name` without waiting; nothing when no window of that
    // name is registered or when it unloaded itself while loading. Menus open windows this way,
    // knowing them by name only.
    void showNamed(const std::string& name);
    // Shows the window called `name` modally, owned by `owner`, and returns once it is unloaded;
    // nothing happens when no window of that name is registered.
    void showModalNamed(const std::string& name, Form& owner);
    // Shows a loaded window modally; `owner` (may be nullptr) is disabled meanwhile.
    void showModal(Form& form, Form* owner);
    // Unloads a window: its Form_Unload runs, its window goes; the object dies once no event of
    // it is running. The program ends when the last window is unloaded.
    void unload(Form& form);
    // True when `form` is still loaded.
    bool isLoaded(const Form& form) const;
    // The loaded windows, in the order they were loaded.
    std::vector<Form*> loadedForms() const;
    // The loaded window called `name`, or nullptr.
    Form* findForm(const std::string& name) const;

    // Asks the renderer to show a modal message box and returns the answer.
    MsgBoxResult msgBox(const std::string& text, const std::string& title, MsgBoxButtons buttons,
                        MsgBoxIcon icon, Form* owner = nullptr);
    // Lets pending messages be processed during a long operation.
    void doEvents();

    // Runs an event handler: afterwards the windows are refreshed and windows unloaded meanwhile
    // are released once no handler is running any more.
    void fire(const std::function<void()>& handler);

    // True once no window is loaded any more after at least one was.
    bool ended() const { return endedFlag; }

    // The innermost modal window now open, or nullptr.
    const Form* modalForm() const { return modals.empty() ? nullptr : modals.back(); }

  private:
    void adopt(std::unique_ptr<Form> form);
    void refreshAll();
    void releaseUnloaded();

    std::map<std::string, std::function<std::unique_ptr<Form>(App&)>> factories;
    std::vector<std::unique_ptr<Form>> instances; // the loaded windows, in the order they loaded
    std::vector<std::unique_ptr<Form>> unloaded;
    std::vector<const Form*> modals; // the modal windows now open, innermost last
    int handlerDepth = 0;
    bool endedFlag = false;
};

} // namespace ui
