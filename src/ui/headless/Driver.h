// One call that runs a driver script against a program: parse, start, drive, report.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace ui {
class App;
}

namespace ui::headless {

// Parses `scriptText`, makes a headless renderer and an application, runs `start` (which registers
// the program's windows and shows the first) and then the script. Everything the run records goes
// to `out`, ending with the line "<tool>: N actions, OK" or "<tool>: <failure>"; a script that does
// not parse fails before the program starts. True when the whole script succeeded.
bool runScript(const std::string& scriptText, const std::function<void(App&)>& start,
               std::ostream& out, const std::string& tool = "tvxdrive");

} // namespace ui::headless
