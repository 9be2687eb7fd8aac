// Every window of Tarvex, registered by name: the one place that knows them all.
#include "startup/Windows.h"

#include "ui/App.h"

void RegisterWindows(ui::App& app) {
    (void)app;
}
