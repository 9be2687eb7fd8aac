// Finding an AGP driver file and copying it into the system folder.
#include "fixtool/AgpFix.h"

#include "base/Folders.h"
#include "base/General.h"
#include "fixtool/FixBackup.h"
#include "fixtool/Quellix.h"
#include "platform/Cabinet.h"
#include "platform/Files.h"
#include "system/Helpers.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// Where a file taken out of a cabinet waits for its copy into the system folder.
const char kScratchFolder[] = "QuellixAgp";

// The service pack number of "spN.cab" (any case), or 0 for any other name.
int servicePackNumber(const std::string& name) {
    const std::string upper = winrules::upper(name);
    if (upper.size() < 7 || upper.compare(0, 2, "SP") != 0 ||
        upper.compare(upper.size() - 4, 4, ".CAB") != 0) {
        return 0;
    }
    int number = 0;
    for (std::size_t i = 2; i < upper.size() - 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(upper[i])) || number > 999) {
            return 0;
        }
        number = number * 10 + (upper[i] - '0');
    }
    return number;
}

// The cabinets of `folder` in the order they are searched: a later service pack carries a later
// version of a driver, so the service packs come first, the newest first; then the rest by name.
std::vector<std::string> cabinetsOf(const std::string& folder) {
    std::vector<platform::FindEntry> entries;
    std::vector<std::string> names;
    if (platform::findFiles(folder + "\\*.cab", entries) == platform::kOk) {
        for (const platform::FindEntry& entry : entries) {
            if ((entry.attributes & platform::kAttrDirectory) == 0) {
                names.push_back(entry.name);
            }
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int left = servicePackNumber(a);
        const int right = servicePackNumber(b);
        if (left != right) {
            return left > right;
        }
        return winrules::compareNoCase(a, b) < 0;
    });
    return names;
}

// The scratch folder in the temporary folder, empty; "" when it cannot be made.
std::string freshScratch() {
    const std::string temp = GetTempFolder();
    if (temp.empty()) {
        return std::string();
    }
    const std::string scratch = temp + kScratchFolder;
    DeleteFolderIfExists(scratch);
    return platform::createFolder(scratch) == platform::kOk ? scratch : std::string();
}

// The path of `fileName` where Quellix finds it: the data folder, the service pack files, or
// taken out of a driver cabinet into the scratch folder; "" when it is nowhere.
std::string findAgpFile(const std::string& fileName) {
    const std::string own = quellix::DataFolder() + "\\" + fileName;
    if (FileExists(own)) {
        return own;
    }
    const std::string windows = GetWindowsFolder();
    if (windows.empty()) {
        return std::string();
    }
    const std::string servicePack = windows + "\\ServicePackFiles\\i386\\" + fileName;
    if (FileExists(servicePack)) {
        return servicePack;
    }
    const std::string cache = windows + "\\Driver Cache\\i386";
    for (const std::string& cabinet : cabinetsOf(cache)) {
        const std::string scratch = freshScratch();
        std::size_t extracted = 0;
        // A damaged cabinet, or one without the file, is passed over for the next.
        if (!scratch.empty() &&
            platform::extractCabinet(cache + "\\" + cabinet, scratch, fileName, extracted) ==
                platform::kOk &&
            extracted == 1) {
            return scratch + "\\" + fileName;
        }
    }
    return std::string();
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::string first;
    std::string second;
    return platform::readFile(a, first) == platform::kOk &&
           platform::readFile(b, second) == platform::kOk && first == second;
}

AgpResult copyIntoSystemFolder(const std::string& source, const std::string& fileName,
                               FixBackup& backup) {
    const std::string systemFolder = GetSystemFolder();
    const std::string target = systemFolder + "\\" + fileName;
    if (!systemFolder.empty() && FileExists(target) && !backup.keepFile(target)) {
        return AgpResult::NotKept;
    }
    // The shell's word is not enough (Wine's passes over a file held open and still reports
    // success): the system folder must hold the very bytes.
    if (systemFolder.empty() || !CopyFile(source, systemFolder) || !sameBytes(source, target)) {
        return AgpResult::NotCopied;
    }
    return AgpResult::Done;
}

} // namespace

AgpResult InstallAgpFile(const std::string& fileName, FixBackup& backup) {
    const std::string source = findAgpFile(fileName);
    AgpResult result = AgpResult::NotFound;
    if (!source.empty()) {
        result = copyIntoSystemFolder(source, fileName, backup);
    }
    const std::string temp = GetTempFolder();
    if (!temp.empty()) {
        DeleteFolderIfExists(temp + kScratchFolder);
    }
    return result;
}
