// The list of Tarvex's windows, made known to the application by name.
#pragma once

namespace ui {
class App;
}

// Registers every window class of Tarvex with `app`, so each can be found by its name.
void RegisterWindows(ui::App& app);
