// Program start: the windows of Tarvex made known to the application, and the start windows.
#pragma once

namespace ui {
class App;
}

// Registers every window of Tarvex with `app` and shows the splash window; the renderer's main
// loop then runs the program.
void StartTarvex(ui::App& app);

// Opens the start interface the settings name: the wizard, the normal or the advanced window.
void ShowInterface(ui::App& app);

// Opens the normal or the advanced window as "Interface" names it (ignores "Wizard").
void ShowCleaningWindow(ui::App& app);
