// The driver's whole run: the script parsed, the program started headless, the verdict printed.
#include "ui/headless/Driver.h"

#include "ui/App.h"
#include "ui/headless/HeadlessRenderer.h"
#include "ui/headless/Script.h"

namespace ui::headless {

bool runScript(const std::string& scriptText, const std::function<void(App&)>& start,
               std::ostream& out, const std::string& tool) {
    std::vector<Command> commands;
    std::string error;
    if (!parseScript(scriptText, commands, error)) {
        out << tool << ": " << error << "\n";
        return false;
    }
    HeadlessRenderer renderer(std::move(commands), out);
    bool ok = false;
    int actions = 0;
    {
        // The application goes before the renderer: its windows die while the renderer they
        // were shown by still exists.
        App app(renderer);
        renderer.attach(app);
        ok = renderer.drive(start);
        actions = renderer.actions();
    }
    if (ok) {
        out << tool << ": " << actions << " actions, OK\n";
    } else {
        out << tool << ": " << renderer.failure() << "\n";
    }
    out.flush();
    return ok;
}

} // namespace ui::headless
