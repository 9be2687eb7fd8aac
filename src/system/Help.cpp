// Opening help files: the WinHelp viewer for the old format, the shell for everything else.
#include "system/Help.h"

#include "platform/System.h"
#include "ui/App.h"

#include <cctype>

namespace {

// True when `name` ends in ".hlp", compared without regard to case as Windows compares names.
bool isWinHelpFile(const std::string& name) {
    static const std::string kExtension = ".hlp";
    if (name.size() < kExtension.size()) {
        return false;
    }
    const std::size_t start = name.size() - kExtension.size();
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[start + i])) != kExtension[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

void OpenHelp(ui::Form& owner, const std::string& fileName) {
    const std::string path = platform::programFolder() + "\\" + fileName;
    if (isWinHelpFile(fileName)) {
        owner.app.renderer.openHelp(owner, path, kHelpFinder);
        return;
    }
    // As with the WinHelp request, the outcome is not looked at: a help file the user deleted, or
    // one no program is registered for, simply opens nothing.
    static_cast<void>(platform::shellOpen(path));
}

void OpenSupportMail(const std::string& address) {
    // As with the help, a machine without a mail program opens nothing, and says nothing.
    static_cast<void>(platform::shellOpen("mailto:" + address + "?subject=Tarvex Support"));
}
