// The folders and keys no configuration line may take: the lists, and the resolution that makes
// the guard see exactly what the file and registry operations would touch.
#include "cleaning/Guard.h"

#include "base/General.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "winrules/RegRoots.h"
#include "winrules/Wildcard.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

using winrules::FullPath;

// A name pattern in a folder that Windows owns must begin with this many literal characters (a
// vendor prefix such as "nv" or "ati"): "*.dll" or "?v*.sys" would take Windows' own files.
constexpr std::size_t kLiteralPrefix = 2;

// Folders below the Windows folder that Windows owns, besides the system folder.
const char* const kWindowsOwned[] = {
    "System",
    "System32",
    "Inf",
    "Inf\\Other",
    "Help",
    "Fonts",
    "Prefetch",
    "Temp",
    "LastGood",
    "LastGood\\System32",
    "LastGood\\System32\\drivers",
    "ServicePackFiles",
    "ServicePackFiles\\i386",
    "Driver Cache",
    "Driver Cache\\i386",
    "Options\\Cabs",
    "Command",
    "Cursors",
    "Media",
    "Installer",
    "WinSxS",
    "Downloaded Program Files",
    "System\\Vmm32",
    "SysWOW64",
};

// Folders below the system folder that Windows owns.
const char* const kSystemOwned[] = {
    "drivers",
    "dllcache",
    "ReinstallBackups",
    "CatRoot",
    "CatRoot2",
    "spool",
    "spool\\drivers",
    "Setup",
    "wbem",
    "DriverStore",
    "DriverStore\\FileRepository",
    "config",
};

// The full path of `text` as the file operations resolve it; false when it cannot be resolved.
bool resolved(const std::string& text, bool wildcardLast, FullPath& path) {
    std::string full;
    return platform::resolvePath(text, wildcardLast, full) == platform::kOk &&
           winrules::foldPath(full, wildcardLast, path) == winrules::PathFault::None;
}

// What the guard protects on this machine.
struct Guarded {
    std::vector<FullPath> folders; // neither these nor any parent of them may go, and a pattern
                                   // in them needs a literal prefix
    std::vector<FullPath> sealed;  // nothing at or below these may go: the program's own folder
};

// Collects the guarded folders below the folders the machine names; false when the Windows or
// system folder or the program folder cannot be resolved, so nothing can be judged.
bool collectGuarded(const std::string& windowsFolder, const std::string& systemFolder,
                    const std::string& programFolder, const std::string& programFiles,
                    std::string temp, Guarded& guarded) {
    FullPath windows;
    FullPath system;
    FullPath program;
    if (!resolved(windowsFolder, false, windows) || !resolved(systemFolder, false, system) ||
        !resolved(programFolder, false, program)) {
        return false;
    }
    guarded.folders = {windows, system, program};
    guarded.sealed = {program};
    FullPath root;
    root.drive = windows.drive;
    guarded.folders.push_back(root);
    // The Program Files folder as the registry names it and, whether or not it does, the folder
    // of that name on the Windows drive, with the 32-bit one of 64-bit Windows; the temporary
    // folder keeps the user's profile above it.
    if (!temp.empty() && temp.back() == '\\') {
        temp.pop_back();
    }
    const std::string drive = winrules::joinPath(root);
    for (const std::string& folder :
         {programFiles, drive + "Program Files", drive + "Program Files\\Common Files",
          drive + "Program Files (x86)", drive + "Program Files (x86)\\Common Files",
          drive + "Documents and Settings", temp}) {
        FullPath path;
        if (!folder.empty() && resolved(folder, false, path)) {
            guarded.folders.push_back(path);
        }
    }
    auto addOwned = [&guarded](const FullPath& base, const char* relative) {
        FullPath path;
        if (resolved(winrules::joinPath(base) + "\\" + relative, false, path)) {
            guarded.folders.push_back(path);
        }
    };
    for (const char* relative : kWindowsOwned) {
        addOwned(windows, relative);
    }
    for (const char* relative : kSystemOwned) {
        addOwned(system, relative);
    }
    return true;
}

// The guarded folders of this machine now. Worked out again only when one of the folders they
// hang on changes, as every line of a run asks.
const Guarded* currentGuarded() {
    static std::string lastKey;
    static Guarded last;
    static bool lastUsable = false;
    const std::string windows = GetWindowsFolder();
    const std::string system = GetSystemFolder();
    const std::string program = platform::programFolder();
    const std::string programFiles = GetProgramFilesFolder();
    const std::string temp = GetTempFolder();
    const std::string key =
        windows + '\n' + system + '\n' + program + '\n' + programFiles + '\n' + temp;
    if (key != lastKey) {
        last = Guarded();
        lastUsable = collectGuarded(windows, system, program, programFiles, temp, last);
        lastKey = key;
    }
    return lastUsable ? &last : nullptr;
}

bool isParentOrSame(const FullPath& path, const std::vector<FullPath>& folders) {
    for (const FullPath& folder : folders) {
        if (winrules::isSameOrBelow(folder, path)) {
            return true;
        }
    }
    return false;
}

bool isSameOrBelowAny(const FullPath& path, const std::vector<FullPath>& folders) {
    for (const FullPath& folder : folders) {
        if (winrules::isSameOrBelow(path, folder)) {
            return true;
        }
    }
    return false;
}

bool isAny(const FullPath& path, const std::vector<FullPath>& folders) {
    for (const FullPath& folder : folders) {
        if (winrules::samePath(path, folder)) {
            return true;
        }
    }
    return false;
}

// True when deleting `path` (one file or folder) would take a guarded folder.
bool takesGuarded(const FullPath& path, const Guarded& guarded) {
    return path.parts.empty() || isParentOrSame(path, guarded.folders) ||
           isSameOrBelowAny(path, guarded.sealed);
}

} // namespace

PathVerdict CheckPath(const std::string& path) {
    FullPath target;
    const Guarded* current = currentGuarded();
    if (!resolved(path, true, target) || current == nullptr) {
        return PathVerdict::Unresolvable;
    }
    const Guarded& guarded = *current;
    target.trailingSeparator = false;
    const bool pattern = !target.parts.empty() && winrules::hasWildcard(target.parts.back());
    if (!pattern) {
        return takesGuarded(target, guarded) ? PathVerdict::Protected : PathVerdict::Allowed;
    }
    FullPath folder = target;
    const std::string mask = folder.parts.back();
    folder.parts.pop_back();
    if (isSameOrBelowAny(folder, guarded.sealed) ||
        (isAny(folder, guarded.folders) && winrules::literalPrefixLength(mask) < kLiteralPrefix)) {
        return PathVerdict::Protected;
    }
    // What the pattern matches now, short names included, is what a delete would take.
    std::vector<platform::FindEntry> entries;
    platform::findFiles(winrules::joinPath(target), entries);
    for (const platform::FindEntry& entry : entries) {
        if (winrules::isDotEntry(entry.name)) {
            continue;
        }
        FullPath match = folder;
        match.parts.push_back(entry.name);
        if (takesGuarded(match, guarded)) {
            return PathVerdict::Protected;
        }
    }
    return PathVerdict::Allowed;
}

namespace {

// Which part of the registry a key lies in, for the rules below.
enum class Tree { Machine, User, Classes, Everything };

// Windows' own children of the Windows CurrentVersion key (machine and user alike).
const char* const kCurrentVersionOwned[] = {
    "App Paths",
    "Applets",
    "Control Panel",
    "Controls Folder",
    "Explorer",
    "Extensions",
    "Fonts",
    "Group Policy",
    "Hints",
    "Installer",
    "Internet Settings",
    "ModuleUsage",
    "Policies",
    "Reinstall",
    "Run",
    "RunOnce",
    "RunOnceEx",
    "RunServices",
    "RunServicesOnce",
    "Setup",
    "SharedDLLs",
    "Shell Extensions",
    "ShellCompatibility",
    "ShellServiceObjectDelayLoad",
    "SideBySide",
    "Telephony",
    "ThemeManager",
    "Themes",
    "Uninstall",
    "WinTrust",
    "WindowsUpdate",
    "PropertySystem",
    "PreviewHandlers",
    "MMDevices",
    "Audio",
    "Network",
    "Time Zones",
};

// Windows' own children of the Windows NT CurrentVersion key.
const char* const kNtCurrentVersionOwned[] = {
    "AeDebug",
    "Compatibility",
    "Devices",
    "Drivers",
    "Drivers32",
    "Embedding",
    "Font Drivers",
    "FontMapper",
    "Fonts",
    "FontSubstitutes",
    "Hotfix",
    "Image File Execution Options",
    "MCI",
    "MCI Extensions",
    "MCI32",
    "NetworkCards",
    "OpenGLDrivers",
    "Perflib",
    "PrinterPorts",
    "Ports",
    "Print",
    "ProfileList",
    "SvcHost",
    "Terminal Server",
    "Time Zones",
    "Type 1 Installer",
    "Userinstallable.drivers",
    "Windows",
    "Winlogon",
};

// Patterns of the machine tree ("*" one name, "**" any number of names, "[*]" the name "*").
const char* const kMachineRules[] = {
    "SOFTWARE\\Microsoft",
    "SOFTWARE\\Microsoft\\*",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\*",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\*\\NameSpace",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\*",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\*",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\*",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\*",
    "SOFTWARE\\Clients",
    "SOFTWARE\\Clients\\*",
    "SOFTWARE\\Policies",
    "SOFTWARE\\Policies\\*",
    "SOFTWARE\\ODBC",
    "SOFTWARE\\Wow6432Node",
    "SYSTEM\\*",
    "SYSTEM\\*\\Control",
    "SYSTEM\\*\\Control\\*",
    "SYSTEM\\*\\Control\\Class\\*",
    "SYSTEM\\*\\Control\\DeviceClasses\\*",
    "SYSTEM\\*\\Control\\Session Manager\\*",
    "SYSTEM\\*\\Control\\Print\\*",
    "SYSTEM\\*\\Control\\Print\\*\\*",
    "SYSTEM\\*\\Control\\Network\\*",
    "SYSTEM\\*\\Control\\SafeBoot\\*",
    "SYSTEM\\*\\Control\\SafeBoot\\*\\*",
    "SYSTEM\\*\\Control\\Nls\\*",
    "SYSTEM\\*\\Services",
    "SYSTEM\\*\\Services\\Class",
    "SYSTEM\\*\\Services\\Class\\*",
    "SYSTEM\\*\\Services\\EventLog",
    "SYSTEM\\*\\Services\\EventLog\\*",
    "SYSTEM\\*\\Services\\VxD",
    "SYSTEM\\*\\Enum",
    "SYSTEM\\*\\Enum\\*",
    "SYSTEM\\*\\Hardware Profiles",
    "SYSTEM\\*\\Hardware Profiles\\*",
    "SYSTEM\\*\\Hardware Profiles\\*\\*",
    "SYSTEM\\*\\Hardware Profiles\\*\\System\\*",
    "SYSTEM\\*\\Hardware Profiles\\*\\System\\*\\*",
    "SYSTEM\\*\\Hardware Profiles\\*\\System\\*\\Control\\*",
    "SYSTEM\\*\\Hardware Profiles\\*\\Software\\*",
    "HARDWARE\\**",
    "SAM\\**",
    "SECURITY\\**",
};

// Patterns of a user's tree.
const char* const kUserRules[] = {
    "Software\\Microsoft",
    "Software\\Microsoft\\*",
    "Software\\Microsoft\\Windows\\CurrentVersion",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\*",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\*",
    "Software\\Microsoft\\Windows NT\\CurrentVersion",
    "Software\\Policies",
    "Software\\Policies\\*",
    "Control Panel\\Accessibility",
    "Control Panel\\Accessibility\\*",
    "Control Panel\\Appearance",
    "Control Panel\\Appearance\\*",
    "Control Panel\\Colors",
    "Control Panel\\Current",
    "Control Panel\\Cursors",
    "Control Panel\\Custom Colors",
    "Control Panel\\Desktop",
    "Control Panel\\Desktop\\*",
    "Control Panel\\don't load",
    "Control Panel\\Input Method",
    "Control Panel\\International",
    "Control Panel\\International\\*",
    "Control Panel\\Keyboard",
    "Control Panel\\MMCPL",
    "Control Panel\\Mouse",
    "Control Panel\\Patterns",
    "Control Panel\\PowerCfg",
    "Control Panel\\PowerCfg\\*",
    "Control Panel\\Sound",
    "Control Panel\\Sounds",
    "AppEvents\\*",
    "AppEvents\\Schemes\\*",
    "AppEvents\\Schemes\\Apps\\.Default",
    "AppEvents\\Schemes\\Apps\\Explorer",
};

// Patterns of the classes tree (HKEY_CLASSES_ROOT and the Classes keys it is made of).
const char* const kClassesRules[] = {
    "CLSID",
    "Interface",
    "TypeLib",
    "AppID",
    "[*]",
    "[*]\\*",
    "Directory",
    "Directory\\*",
    "Directory\\Background\\*",
    "DesktopBackground",
    "DesktopBackground\\*",
    "Folder",
    "Folder\\*",
    "Drive",
    "Drive\\*",
    "AllFilesystemObjects",
    "AllFilesystemObjects\\*",
    "Unknown",
    "Unknown\\*",
    "Network",
    "Network\\*",
    "Printers",
    "Printers\\*",
    "MIME",
    "MIME\\Database",
    "MIME\\Database\\*",
    "SystemFileAssociations",
    "SystemFileAssociations\\*",
    "PROTOCOLS",
    "PROTOCOLS\\*",
    "Component Categories",
    "Installer",
    "FileType",
    "Media Type",
    "CABFolder",
    "CompressedFolder",
    "**\\shell",
    "**\\shell\\open",
    "**\\shell\\edit",
    "**\\shell\\print",
    "**\\shell\\printto",
    "**\\shell\\explore",
    "**\\shell\\find",
    "**\\shell\\runas",
    "**\\shell\\openas",
};

// Windows' own file types and extensions below the classes root: each with its direct children.
const char* const kWindowsClasses[] = {
    "exefile",       "dllfile",  "sysfile", "drvfile",     "vxdfile", "inffile",
    "inifile",       "txtfile",  "regfile", "batfile",     "cmdfile", "comfile",
    "cplfile",       "lnkfile",  "piffile", "scrfile",     "hlpfile", "chm.file",
    "htmlfile",      "ocxfile",  "mscfile", "Msi.Package", "JSFile",  "VBSFile",
    "fonfile",       "ttffile",  "CATFile", "CERFile",     "xmlfile", "InternetShortcut",
    "Paint.Picture", "SoundRec", "Folder",  ".bat",        ".cmd",    ".com",
    ".cpl",          ".dll",     ".drv",    ".exe",        ".hlp",    ".chm",
    ".htm",          ".html",    ".inf",    ".ini",        ".lnk",    ".msc",
    ".msi",          ".ocx",     ".pif",    ".reg",        ".scr",    ".sys",
    ".txt",          ".url",     ".vbs",    ".js",         ".xml",    ".cab",
    ".zip",          ".fon",     ".ttf",    ".cat",        ".cer",    ".vxd",
    ".bmp",          ".ico",     ".jpg",    ".gif",        ".png",    ".wav",
    ".mid",          ".avi",     ".doc",    ".rtf",        ".wri",
};

// Rules of every tree: the shell-extension containers and the kinds of handler below them.
const char* const kEverywhereRules[] = {"**\\shellex", "**\\shellex\\*"};

std::vector<std::string> splitKey(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (!current.empty()) {
                parts.push_back(winrules::upper(current));
            }
            current.clear();
        } else {
            current += path[i];
        }
    }
    return parts;
}

// Matches key components against pattern components; "*" one name, "**" any number of names.
bool matchParts(const std::vector<std::string>& key, std::size_t k,
                const std::vector<std::string>& pattern, std::size_t p) {
    if (p == pattern.size()) {
        return k == key.size();
    }
    if (pattern[p] == "**") {
        for (std::size_t skip = k; skip <= key.size(); ++skip) {
            if (matchParts(key, skip, pattern, p + 1)) {
                return true;
            }
        }
        return false;
    }
    const bool literalStar = pattern[p] == "[*]";
    if (k == key.size() || (literalStar && key[k] != "*") ||
        (!literalStar && pattern[p] != "*" && pattern[p] != key[k])) {
        return false;
    }
    return matchParts(key, k + 1, pattern, p + 1);
}

bool matchesPattern(const std::vector<std::string>& key, const std::string& pattern) {
    return matchParts(key, 0, splitKey(pattern), 0);
}

template <std::size_t N>
bool matchesAny(const std::vector<std::string>& key, const char* const (&patterns)[N]) {
    for (const char* pattern : patterns) {
        if (matchesPattern(key, pattern)) {
            return true;
        }
    }
    return false;
}

// True when `key` (relative to its tree) is `base` followed by one of `names`.
template <std::size_t N>
bool childOf(const std::vector<std::string>& key, const std::string& base,
             const char* const (&names)[N]) {
    const std::vector<std::string> prefix = splitKey(base);
    if (key.size() != prefix.size() + 1 || !std::equal(prefix.begin(), prefix.end(), key.begin())) {
        return false;
    }
    for (const char* name : names) {
        if (winrules::upper(name) == key.back()) {
            return true;
        }
    }
    return false;
}

bool protectedInTree(Tree tree, const std::vector<std::string>& key) {
    if (matchesAny(key, kEverywhereRules)) {
        return true;
    }
    switch (tree) {
    case Tree::Everything:
        return true;
    case Tree::Classes: {
        if (key.empty() || matchesAny(key, kClassesRules)) {
            return true;
        }
        for (const char* name : kWindowsClasses) {
            const std::string owned = winrules::upper(name);
            if (key[0] == owned && key.size() <= 2) {
                return true;
            }
        }
        return false;
    }
    case Tree::Machine:
    case Tree::User: {
        // A key directly below a root is part of every installation (SOFTWARE, SYSTEM,
        // Environment, Control Panel...).
        if (key.size() <= 1) {
            return true;
        }
        const std::string software = tree == Tree::Machine ? "SOFTWARE" : "Software";
        if (childOf(key, software + "\\Microsoft\\Windows\\CurrentVersion", kCurrentVersionOwned) ||
            childOf(key, software + "\\Microsoft\\Windows NT\\CurrentVersion",
                    kNtCurrentVersionOwned)) {
            return true;
        }
        return tree == Tree::Machine ? matchesAny(key, kMachineRules) : matchesAny(key, kUserRules);
    }
    }
    return true;
}

// The tree a key of `root` lies in, with its path relative to that tree.
Tree treeOf(std::uint32_t root, std::vector<std::string>& key) {
    auto classesBelow = [&key](std::size_t at) {
        return key.size() >= at + 2 && key[at] == "SOFTWARE" && key[at + 1] == "CLASSES";
    };
    switch (root) {
    case 0x80000000u:
        return Tree::Classes;
    case 0x80000002u:
    case 0x80000001u:
        if (classesBelow(0)) {
            // The Classes key itself stays protected as the classes root.
            key.erase(key.begin(), key.begin() + 2);
            return Tree::Classes;
        }
        if (root == 0x80000002u && key.size() >= 2 && key[0] == "SOFTWARE" &&
            key[1] == "WOW6432NODE") {
            // The 32-bit view of SOFTWARE holds the same structure again.
            if (key.size() == 2) {
                return Tree::Everything;
            }
            key.erase(key.begin() + 1);
            if (classesBelow(0)) {
                key.erase(key.begin(), key.begin() + 2);
                return Tree::Classes;
            }
        }
        return root == 0x80000002u ? Tree::Machine : Tree::User;
    case 0x80000003u:
        // Each user's hive below HKEY_USERS; the hive itself is directly below the root.
        if (key.size() <= 1) {
            return Tree::Everything;
        }
        if (key[0].size() > 8 && key[0].compare(key[0].size() - 8, 8, "_CLASSES") == 0) {
            key.erase(key.begin());
            return Tree::Classes;
        }
        key.erase(key.begin());
        if (classesBelow(0)) {
            key.erase(key.begin(), key.begin() + 2);
            return Tree::Classes;
        }
        return Tree::User;
    case 0x80000005u: {
        // HKEY_CURRENT_CONFIG is the current hardware profile; its own first level is
        // structure too.
        if (key.size() <= 1) {
            return Tree::Everything;
        }
        std::vector<std::string> full =
            splitKey("SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current");
        full.insert(full.end(), key.begin(), key.end());
        key = full;
        return Tree::Machine;
    }
    default:
        return Tree::Everything;
    }
}

} // namespace

bool IsProtectedKey(const std::string& rootName, const std::string& keyPath) {
    const winrules::RegRoot* root = winrules::findRoot(rootName, false);
    std::vector<std::string> key = splitKey(keyPath);
    if (root == nullptr || key.empty()) {
        return true;
    }
    for (const std::string& part : key) {
        if (part == "." || part == "..") {
            return true; // names no vendor uses, which some tools read as a step up
        }
    }
    const Tree tree = treeOf(root->handle, key);
    return protectedInTree(tree, key);
}
