// The help a program offers from its windows (Tarvex's and Quellix's alike): its help file and
// its support mail.
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

// Opens the system's mail program on a new message to `address` with the subject "Tarvex
// Support"; without a mail program nothing happens.
void OpenSupportMail(const std::string& address);
