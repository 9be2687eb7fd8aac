// Program start: the splash window, and the start windows the settings choose.
#pragma once

namespace ui {
class App;
}

// Shows the splash window of Tarvex, whose windows `app` must know by name already (RunTarvex in
// main/TarvexWindows.h registers them first); the renderer's main loop then runs the program.
void StartTarvex(ui::App& app);

// Opens the start interface the settings name: the wizard, the normal or the advanced window.
void ShowInterface(ui::App& app);

// Opens the normal or the advanced window as "Interface" names it (ignores "Wizard").
void ShowCleaningWindow(ui::App& app);
