// Every window of Quellix, registered by name, and its start.
#include "fixtool/QuellixWindows.h"

#include "fixtool/FrmNFAbout.h"
#include "fixtool/FrmNFMain.h"
#include "fixtool/FrmNFStart.h"
#include "ui/App.h"
#include "ui/WindowList.h"

namespace {

using QuellixWindows = ui::WindowList<FrmNFStart, FrmNFMain, FrmNFAbout>;

} // namespace

const std::vector<std::string>& QuellixWindowNames() {
    static const std::vector<std::string> names = QuellixWindows::names();
    return names;
}

std::unique_ptr<ui::Form> DesignedQuellixWindow(ui::App& app, const std::string& name) {
    return QuellixWindows::designed(app, name);
}

void RunQuellix(ui::App& app) {
    QuellixWindows::registerAll(app);
    app.show<FrmNFStart>();
}
