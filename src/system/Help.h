// Opening a program's help file from one of its windows (Tarvex's and Quellix's alike).
#pragma once

#include <string>

namespace ui {
class Form;
}

// The WinHelp command that opens a help file at its finder (contents) page.
constexpr unsigned kHelpFinder = 11;

// Opens program folder + "\" + `fileName` for `owner`: a name ending in ".hlp" (in any case)
// through the renderer's WinHelp request at the finder page, any other name through the shell's
// default viewer for its type (a browser for ".htm").
void OpenHelp(ui::Form& owner, const std::string& fileName);
