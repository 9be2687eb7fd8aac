// Quellix's windows: the one list of them, made known to the application by name.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ui {
class App;
class Form;
} // namespace ui

// The names of Quellix's windows, in the order they are registered.
const std::vector<std::string>& QuellixWindowNames();

// The window of Quellix called `name` as it was designed: constructed for `app` but not loaded;
// nullptr for a name that is no window of Quellix.
std::unique_ptr<ui::Form> DesignedQuellixWindow(ui::App& app, const std::string& name);

// Registers Quellix's windows with `app` and shows its splash; the renderer's main loop then
// runs it.
void RunQuellix(ui::App& app);
