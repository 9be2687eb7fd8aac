// Stand-in for the Windows registry editor on the simulated machine: export (/e), silent import
// (/s) and key deletion (/d), with the command-line handling and the quirks of Wine's regedit.
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "platform/sim/SimMachine.h"
#include "winrules/RegRoots.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

enum class Action { Import, Export, Delete };

// The roots regedit accepts in key names: full names only, any case, and not the performance
// data.
bool acceptedRoot(const std::string& name) {
    const winrules::RegRoot* root = winrules::findRoot(name, false);
    return root != nullptr && root->handle != platform::kHkeyPerformanceData;
}

// A file name as the editor's process opens it: relative names start at the current folder, which
// on the simulated machine is the program folder.
std::string inCurrentFolder(const std::string& name) {
    winrules::FullPath parsed;
    if (winrules::foldPath(name, false, parsed) != winrules::PathFault::NotAbsolute ||
        (name.size() >= 2 && name[1] == ':')) {
        return name;
    }
    const std::string here = platform::programFolder();
    return name[0] == '\\' ? here.substr(0, 2) + name : here + "\\" + name;
}

bool validKeyName(const std::string& name) {
    const std::string root = name.substr(0, name.find('\\'));
    return acceptedRoot(root);
}

// The whole registry as regedit exports it without a key: HKEY_LOCAL_MACHINE and HKEY_USERS.
std::string wholeRegistry() {
    std::string text;
    sim::exportRegistry("HKEY_LOCAL_MACHINE", text);
    std::string users;
    if (sim::exportRegistry("HKEY_USERS", users)) {
        text += users.substr(users.find("\r\n\r\n") + 4);
    }
    return text;
}

// Writes one export; false when the file cannot be written, which ends regedit.
bool exportKey(const std::string& fileName, const std::string& keyName) {
    std::string text;
    if (keyName.empty()) {
        text = wholeRegistry();
    } else if (!validKeyName(keyName)) {
        std::fprintf(stderr, "regedit: invalid system key [%s]\n", keyName.c_str());
        return true;
    } else if (!sim::exportRegistry(keyName, text)) {
        std::fprintf(stderr, "regedit: unable to open the registry key '%s'\n", keyName.c_str());
        return true;
    }
    if (platform::writeFile(fileName, text) != platform::kOk) {
        std::fprintf(stderr, "regedit: cannot open the file '%s'\n", fileName.c_str());
        return false;
    }
    return true;
}

void importFile(const std::string& fileName) {
    std::string text;
    if (platform::readFile(fileName, text) != platform::kOk) {
        std::fprintf(stderr, "regedit: the file '%s' was not found\n", fileName.c_str());
        return;
    }
    std::string problem;
    if (!sim::importRegistry(text, problem)) {
        std::fprintf(stderr, "regedit: %s: %s\n", fileName.c_str(), problem.c_str());
    }
}

void deleteKey(const std::string& keyName) {
    if (!validKeyName(keyName)) {
        std::fprintf(stderr, "regedit: invalid system key [%s]\n", keyName.c_str());
        return;
    }
    std::string problem;
    sim::importRegistry("REGEDIT4\r\n\r\n[-" + keyName + "]\r\n", problem);
}

} // namespace

// regedit [/s] FILE... | /e FILE [KEY] [FILE [KEY]]... | /d KEY...; always exits 0, as the real
// one does whatever happened.
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Action action = Action::Import;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // A switch is "/x" or "-x"; anything longer ("/tmp/x.reg", "C:...") is a file name.
        if ((arg[0] != '/' && arg[0] != '-') || arg.size() != 2) {
            break;
        }
        switch (winrules::upperChar(arg[1])) {
        case '?':
            std::printf("Usage: regedit [/s] FILE... | /e FILE [KEY] | /d KEY\n");
            return 0;
        case 'D':
            action = Action::Delete;
            break;
        case 'E':
            action = Action::Export;
            break;
        case 'S':
        case 'V':
        case 'C':
        case 'L':
        case 'R':
            break;
        default:
            std::fprintf(stderr, "regedit: invalid switch '%s'\n", arg.c_str());
            return 0;
        }
    }
    if (i == args.size()) {
        std::fprintf(stderr, "regedit: no file name or key given\n");
        return 0;
    }
    // Each export takes a file and the next argument as its key, so the extra words of an
    // unquoted name become further exports (of the whole registry when no key follows).
    for (; i < args.size(); ++i) {
        switch (action) {
        case Action::Import:
            importFile(inCurrentFolder(args[i]));
            break;
        case Action::Delete:
            deleteKey(args[i]);
            break;
        case Action::Export: {
            const std::string fileName = inCurrentFolder(args[i]);
            const std::string keyName = i + 1 < args.size() ? args[++i] : std::string();
            if (!exportKey(fileName, keyName)) {
                return 0;
            }
            break;
        }
        }
    }
    sim::flushRegistry();
    return 0;
}
