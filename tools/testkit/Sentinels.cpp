// Planting and counting the guard's sentinels, and running single file lines through the engine.
#include "testkit/Sentinels.h"

#include "base/General.h"
#include "cleaning/Engine.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace testkit {

namespace {

const char kSentinelFile[] = "#sentinel.dat";
const char kSentinelFolder[] = "#sentinel";

std::string withoutTrailingSeparator(std::string folder) {
    if (folder.size() > 3 && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

std::string inside(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

} // namespace

std::vector<std::string> GuardedFolders() {
    const std::string windows = GetWindowsFolder();
    const std::string system = GetSystemFolder();
    const std::string program = platform::programFolder();
    const std::string programFilesX86 = windows.substr(0, 3) + "Program Files (x86)";
    for (const std::string& folder : {program + "\\Backup", program + "\\Log", windows + "\\Inf",
                                      windows + "\\Help", system + "\\drivers", programFilesX86}) {
        platform::createFolder(folder);
    }
    std::vector<std::string> folders = {windows.substr(0, 3),
                                        windows,
                                        windows + "\\Inf",
                                        windows + "\\Help",
                                        system,
                                        system + "\\drivers",
                                        program,
                                        program + "\\Backup",
                                        program + "\\Log",
                                        withoutTrailingSeparator(GetTempFolder()),
                                        programFilesX86};
    const std::string programFiles = GetProgramFilesFolder();
    if (!programFiles.empty()) {
        folders.push_back(programFiles);
    }
    return folders;
}

std::vector<std::string> PlantSentinels(const std::vector<std::string>& folders) {
    std::vector<std::string> failed;
    for (const std::string& folder : folders) {
        const std::string subfolder = inside(folder, kSentinelFolder);
        platform::createFolder(subfolder);
        for (const std::string& path :
             {inside(folder, kSentinelFile), subfolder + "\\" + kSentinelFile}) {
            if (platform::writeFile(path, "x") != platform::kOk) {
                failed.push_back(path);
            }
        }
    }
    return failed;
}

std::vector<std::string> MissingSentinels(const std::vector<std::string>& folders) {
    std::vector<std::string> missing;
    for (const std::string& folder : folders) {
        for (const std::string& path :
             {inside(folder, kSentinelFile),
              inside(folder, std::string(kSentinelFolder) + "\\" + kSentinelFile)}) {
            std::uint64_t length = 0;
            if (platform::fileLength(path, length) != platform::kOk) {
                missing.push_back(path);
            }
        }
    }
    return missing;
}

void RemoveSentinels(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        platform::deleteFile(inside(folder, kSentinelFile));
        platform::deleteTree(inside(folder, kSentinelFolder));
    }
}

void RunFileLine(const std::string& section, const std::string& line) {
    RunContext context;
    if (section == "[FILES]") {
        CleanFile(context, line);
    } else if (section == "[SYSTEMFILES]") {
        CleanSystemFile(context, line);
    } else {
        CleanDirectory(context, line);
    }
}

} // namespace testkit
