// The backup folder of one Fix and what is kept in it.
#include "fixtool/FixBackup.h"

#include "fixtool/Quellix.h"
#include "platform/Files.h"
#include "system/Helpers.h"
#include "winrules/WinPath.h"

#include <cstdio>

namespace {

bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

// `folder` exists as a folder afterwards (made now or already there).
bool ensureFolder(const std::string& folder) {
    platform::createFolder(folder);
    std::uint32_t attributes = 0;
    return platform::getAttributes(folder, attributes) == platform::kOk &&
           (attributes & platform::kAttrDirectory) != 0;
}

} // namespace

FixBackup::FixBackup(const platform::LocalTime& fixTime) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d_%02d%02d%02d", fixTime.day, fixTime.month,
                  fixTime.year, fixTime.hour, fixTime.minute, fixTime.second);
    stamp = text;
}

FixBackup::~FixBackup() {
    if (!made.empty()) {
        // Refused unless empty: whatever was kept stays.
        static_cast<void>(platform::removeFolder(made));
    }
}

const std::string& FixBackup::folder() {
    if (tried) {
        return made;
    }
    tried = true;
    const std::string backups = quellix::DataFolder() + "\\Backup";
    if (!ensureFolder(quellix::DataFolder()) || !ensureFolder(backups)) {
        return made;
    }
    // Never into the folder of an earlier Fix: its copies are the ones that came first.
    for (int number = 1;; ++number) {
        const std::string candidate =
            backups + "\\" + stamp + (number == 1 ? "" : "_" + std::to_string(number));
        if (exists(candidate)) {
            continue;
        }
        if (platform::createFolder(candidate) == platform::kOk) {
            made = candidate;
        }
        return made;
    }
}

bool FixBackup::keepFile(const std::string& path) {
    const std::string& into = folder();
    if (into.empty() || !CopyFile(path, into)) {
        return false;
    }
    std::string original;
    std::string copy;
    return platform::readFile(path, original) == platform::kOk &&
           platform::readFile(into + "\\" + winrules::lastComponent(path), copy) == platform::kOk &&
           copy == original;
}

std::string FixBackup::freeName(const std::string& base, const std::string& extension) {
    const std::string& into = folder();
    if (into.empty()) {
        return std::string();
    }
    std::string usable = winrules::replaceForbiddenNameCharacters(base);
    // A key called "CON" or "..." still needs a file of its own.
    if (!winrules::isPlainFileName(usable + extension)) {
        usable = "key";
    }
    for (int number = 1;; ++number) {
        const std::string name =
            usable + (number == 1 ? "" : "_" + std::to_string(number)) + extension;
        if (!exists(into + "\\" + name)) {
            return name;
        }
    }
}
