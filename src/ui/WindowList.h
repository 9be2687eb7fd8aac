// A program's list of window classes: registered with the application by name, listed, and made
// as designed for the layout checks.
#pragma once

#include "ui/App.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

// The window classes `Windows...`, each with its `kFormName`, in the order they are registered.
template <class... Windows> struct WindowList {
    // Makes every window known to `app` by its name.
    static void registerAll(App& app) { (app.registerForm<Windows>(), ...); }
    // The windows' names, in order.
    static std::vector<std::string> names() { return {Windows::kFormName...}; }
    // The window called `name` constructed for `app` but not loaded; nullptr for another name.
    static std::unique_ptr<Form> designed(App& app, const std::string& name) {
        std::unique_ptr<Form> made;
        ((made == nullptr&& name == Windows::kFormName ? made = std::make_unique<Windows>(app)
                                                       : made),
         ...);
        return made;
    }
};

} // namespace ui
