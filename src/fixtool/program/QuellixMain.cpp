// Quellix.exe: the fix tool's entry point, showing its windows as real Win32 windows.
#include "fixtool/QuellixWindows.h"
#include "ui/App.h"
#include "ui/win32/Win32Renderer.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ui::win32::Win32Renderer renderer(instance);
    ui::App app(renderer);
    try {
        RunQuellix(app);
        renderer.run();
    } catch (...) {
        // The tool works in ignore-and-continue style; a fault that still escapes ends it quietly
        // rather than with the system's crash box.
        return 1;
    }
    return 0;
}
