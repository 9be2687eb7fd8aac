// Shared path and existence helpers: each turns a platform failure into the empty text or false.
#include "base/General.h"

#include "base/Registry.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "ui/App.h"

#include <vector>

namespace {

// The folder functions hand the platform a 255-character buffer; a longer path does not fit
// and is treated as no answer rather than as a truncated folder.
constexpr std::size_t kFolderBufferLimit = 254;

std::string fittedFolder(const std::string& folder) {
    return folder.size() > kFolderBufferLimit ? std::string() : folder;
}

// True when a directory search of `path` finds an entry with none of the `excluded` attribute bits.
bool searchFinds(const std::string& path, std::uint32_t excluded) {
    std::vector<platform::FindEntry> entries;
    if (platform::findFiles(path, entries) != platform::kOk) {
        return false;
    }
    for (const platform::FindEntry& entry : entries) {
        if ((entry.attributes & excluded) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string ReadTextFile(const std::string& path) {
    std::string text;
    if (platform::readFile(path, text) != platform::kOk) {
        return std::string();
    }
    return text;
}

bool FileExists(const std::string& path) {
    std::uint64_t length = 0;
    return platform::fileLength(path, length) == platform::kOk;
}

bool VisibleFileExists(const std::string& path) {
    return searchFinds(path,
                       platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory);
}

bool FolderExists(const std::string& path) {
    // "C:\A\" and "C:\" name folders too, although a directory search of such a text finds
    // nothing: the trailing backslash goes, and a drive root exists when its drive does.
    std::string folder = path;
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    if (folder.size() == 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/')) {
        std::uint32_t attributes = 0;
        return platform::getAttributes(folder, attributes) == platform::kOk;
    }
    if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return searchFinds(folder, platform::kAttrHidden | platform::kAttrSystem);
}

std::string GetWindowsFolder() {
    return fittedFolder(platform::windowsDirectory());
}

std::string GetSystemFolder() {
    return fittedFolder(platform::systemDirectory());
}

std::string GetTempFolder() {
    return fittedFolder(platform::tempPath());
}

std::string GetProgramFilesFolder() {
    return ReadRegString(platform::kHkeyLocalMachine,
                         "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
}

void ShowErrorReport(ui::App& app, const std::string& message) {
    app.msgBox(message, "Error", ui::MsgBoxButtons::Ok, ui::MsgBoxIcon::None);
}
