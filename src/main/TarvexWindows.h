// Tarvex's windows: the one list of them, made known to the application by name.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ui {
class App;
class Form;
} // namespace ui

// Registers every window class of Tarvex with `app`, so each can be found by its name.
void RegisterWindows(ui::App& app);

// The names of Tarvex's windows, in the order RegisterWindows registers them.
const std::vector<std::string>& TarvexWindowNames();

// The window called `name` as it was designed: constructed for `app` but not loaded (its
// Form_Load has not run), for checks of the design; nullptr for a name that is no window of
// Tarvex.
std::unique_ptr<ui::Form> DesignedWindow(ui::App& app, const std::string& name);

// Registers Tarvex's windows with `app` and starts the program (its splash window); the
// renderer's main loop then runs it.
void RunTarvex(ui::App& app);
