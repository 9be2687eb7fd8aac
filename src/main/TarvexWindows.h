// Tarvex's windows: the one list of them, made known to the application by name.
#pragma once

#include <string>
#include <vector>

namespace ui {
class App;
}

// Registers every window class of Tarvex with `app`, so each can be found by its name.
void RegisterWindows(ui::App& app);

// The names of Tarvex's windows, in the order RegisterWindows registers them.
const std::vector<std::string>& TarvexWindowNames();

// Registers Tarvex's windows with `app` and starts the program (its splash window); the
// renderer's main loop then runs it.
void RunTarvex(ui::App& app);
