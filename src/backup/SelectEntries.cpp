// What the restore and clearing windows share: selecting entries, finding backup sets, reading,
// restoring and rewriting index lines.
#include "backup/SelectEntries.h"

#include "backup/Restore.h"
#include "base/General.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "system/AddScroll.h"
#include "ui/Controls.h"

namespace {

// Links are listed with this bit; a folder link is never entered.
constexpr std::uint32_t kAttrReparsePoint = 0x400;

} // namespace

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void selectEveryEntry(ui::ListControl& list, bool on) {
    for (int i = 0; i < list.listCount(); ++i) {
        list.setSelected(i, on);
    }
}

void setEnabled(std::initializer_list<ui::Control*> controls, bool on) {
    for (ui::Control* control : controls) {
        control->enabled = on;
    }
}

std::string backupFolder() {
    return platform::programFolder() + "\\Backup";
}

std::vector<std::string> namesEndingWith(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    std::vector<platform::FindEntry> entries;
    if (!FolderExists(folder) || platform::findFiles(folder + "\\*", entries) != platform::kOk) {
        return names;
    }
    for (const platform::FindEntry& entry : entries) {
        // The listing that asks for folders besides plain files does not find hidden or system
        // entries, as FolderExists does not.
        if ((entry.attributes & (platform::kAttrHidden | platform::kAttrSystem)) != 0 ||
            entry.name == "." || entry.name == "..") {
            continue;
        }
        if (endsWith(entry.name, suffix)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

bool splitIndexLine(const std::string& line, std::string& item, std::string& target) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string::npos) {
        return false;
    }
    item = line.substr(0, comma);
    target = comma + 2 <= line.size() ? line.substr(comma + 2) : std::string();
    return true;
}

void loadIndexLines(const std::string& indexPath, ui::ListBox& shown, ui::ListBox& twin) {
    for (const std::string& line : ReadIndexLines(indexPath)) {
        shown.addItem(line);
        twin.addItem(line);
    }
    AddScroll(shown);
}

int restoreSelected(const ui::ListBox& shown, ui::ListBox& twin,
                    const std::function<bool(const std::string& line)>& restore) {
    std::vector<bool> restored(static_cast<std::size_t>(shown.listCount()), false);
    for (int i = 0; i < shown.listCount(); ++i) {
        if (shown.selected(i)) {
            restored[static_cast<std::size_t>(i)] = restore(shown.item(i));
        }
    }
    int taken = 0;
    for (int i = shown.listCount() - 1; i >= 0; --i) {
        if (restored[static_cast<std::size_t>(i)]) {
            twin.removeItem(i);
            ++taken;
        }
    }
    return taken;
}

bool rewriteIndex(const std::string& indexPath, const ui::ListBox& twin) {
    return RewriteIndexLines(indexPath, twin.items());
}

bool staysInsideSet(const std::string& relative, bool wildcards, bool oneName) {
    if (relative.empty() || relative.find(':') != std::string::npos ||
        (!wildcards && relative.find_first_of("*?") != std::string::npos)) {
        return false;
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = relative.find_first_of("\\/", start);
        const std::string part =
            relative.substr(start, end == std::string::npos ? end : end - start);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
        if (oneName) {
            return false;
        }
        start = end + 1;
    }
}

void makeFolderPath(const std::string& path) {
    for (std::size_t slash = path.find('\\', 1);; slash = path.find('\\', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!part.empty() && part.back() != '\\' && !FolderExists(part)) {
            platform::createFolder(part);
        }
        if (slash == std::string::npos) {
            return;
        }
    }
}

void removeEmptyFolders(const std::string& folder) {
    std::vector<platform::FindEntry> entries;
    if (platform::findFiles(folder + "\\*", entries) == platform::kOk) {
        for (const platform::FindEntry& entry : entries) {
            if (entry.name != "." && entry.name != ".." &&
                (entry.attributes & platform::kAttrDirectory) != 0 &&
                (entry.attributes & kAttrReparsePoint) == 0) {
                removeEmptyFolders(folder + "\\" + entry.name);
            }
        }
    }
    // Refused for a folder that still holds anything.
    platform::removeFolder(folder);
}
