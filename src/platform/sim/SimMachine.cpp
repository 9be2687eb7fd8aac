// The simulated machine's control side: templates, planting, fault marks, clock, registry text,
// state.
#include "platform/sim/SimMachine.h"

#include "platform/Files.h"
#include "platform/sim/HostFs.h"
#include "platform/sim/Machine.h"
#include "platform/sim/RegText.h"
#include "platform/sim/RegistryStore.h"
#include "winrules/RegFile.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

// One Windows installation the simulated machine can start as.
struct Template {
    const char* name;
    const char* windowsDir;
    const char* systemDir;
    const char* tempDir;
    const char* programFilesDir;
    unsigned major;
    unsigned minor;
    unsigned build;
    unsigned platformId;
    const char* csdVersion;
    unsigned spMajor;
    unsigned spMinor;
    unsigned productType;
    unsigned suiteMask;
    bool extended;         // GetVersionEx takes the extended record
    bool linkedControlSet; // CurrentControlSet is a link to ControlSet001 (Windows) or a key (Wine)
    const char* display;
    bool hotfixQ246009; // NT 4.0 SP6a: the update records itself as hotfix Q246009
    bool wow64 = false; // 64-bit Windows: SysWOW64, Program Files (x86) and Wow6432Node too
};

constexpr unsigned kPlatform9x = 1;

// Windows 9x reports the version again in the high word of the build number.
constexpr unsigned build9x(unsigned major, unsigned minor, unsigned build) {
    return major << 24 | minor << 16 | build;
}

// The numbers are those a real installation of each kind reports: Windows 9x and NT 4.0 have no
// product type in their plain record, and only NT from 4.0 SP6 on takes the extended one. SP6a
// still says "Service Pack 6"; only the hotfix value tells it apart.
const Template kTemplates[] = {
    {"xp-sp2", "C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\WINDOWS\\TEMP\\", "C:\\Program Files",
     5, 1, 2600, 2, "Service Pack 2", 2, 0, 1, 0x100, true, true, "NVIDIA GeForce4 MX 440", false},
    {"wine8", "C:\\windows", "C:\\windows\\system32", "C:\\users\\root\\Temp\\",
     "C:\\Program Files", 5, 1, 2600, 2, "Service Pack 3", 3, 0, 1, 0x100, true, false,
     "Wine Adapter", false},
    {"win95", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP\\", "C:\\Program Files", 4,
     0, build9x(4, 0, 950), kPlatform9x, "", 0, 0, 0, 0, false, false, "S3 Trio64V+", false},
    {"win98-se", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP\\", "C:\\Program Files",
     4, 10, build9x(4, 10, 2222), kPlatform9x, " A ", 0, 0, 0, 0, false, false,
     "NVIDIA RIVA TNT2 Model 64", false},
    {"winme", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP\\", "C:\\Program Files", 4,
     90, build9x(4, 90, 3000), kPlatform9x, " ", 0, 0, 0, 0, false, false, "RADEON 7000 SERIES",
     false},
    {"nt4-sp6", "C:\\WINNT", "C:\\WINNT\\system32", "C:\\TEMP\\", "C:\\Program Files", 4, 0, 1381,
     2, "Service Pack 6", 6, 0, 1, 0, true, true, "Matrox Millennium G400", false},
    {"nt4-sp6a", "C:\\WINNT", "C:\\WINNT\\system32", "C:\\TEMP\\", "C:\\Program Files", 4, 0, 1381,
     2, "Service Pack 6", 6, 0, 1, 0, true, true, "Matrox Millennium G400", true},
    {"win2000-sp4", "C:\\WINNT", "C:\\WINNT\\system32", "C:\\WINNT\\TEMP\\", "C:\\Program Files", 5,
     0, 2195, 2, "Service Pack 4", 4, 0, 1, 0, true, true, "RADEON 9600 SERIES", false},
    {"win2003-sp2", "C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\WINDOWS\\TEMP\\",
     "C:\\Program Files", 5, 2, 3790, 2, "Service Pack 2", 2, 0, 3, 0x110, true, true,
     "NVIDIA Quadro FX 1400", false},
    {"vista-sp2", "C:\\Windows", "C:\\Windows\\system32", "C:\\Windows\\TEMP\\",
     "C:\\Program Files", 6, 0, 6002, 2, "Service Pack 2", 2, 0, 1, 0x100, true, true,
     "NVIDIA GeForce 8600 GT", false},
    // Windows XP Professional x64 Edition shares the Windows 2003 kernel and its numbers.
    {"xp-x64-sp2", "C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\WINDOWS\\TEMP\\",
     "C:\\Program Files", 5, 2, 3790, 2, "Service Pack 2", 2, 0, 1, 0x100, true, true,
     "NVIDIA GeForce 7600 GS", false, true},
};

const char kProgramFilesX86[] = "C:\\Program Files (x86)";

const char* const kStandIns[] = {"regedit", "extract", "tvxchild"};
const char kProgramDir[] = "C:\\Program Files\\Tarvex";

const Template* findTemplate(const std::string& name) {
    for (const Template& t : kTemplates) {
        if (winrules::equalNoCase(name, t.name)) {
            return &t;
        }
    }
    return nullptr;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string templateRegistry(const Template& t) {
    std::string text = "REGEDIT4\r\n\r\n";
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n\r\n";
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n";
    text += "\"ProgramFilesDir\"=\"" + escaped(t.programFilesDir) + "\"\r\n";
    if (t.platformId == kPlatform9x) {
        // Windows 9x has no "Windows NT" branch; its version lives beside ProgramFilesDir.
        text += "\"VersionNumber\"=\"" + std::to_string(t.major) + "." + (t.minor < 10 ? "0" : "") +
                std::to_string(t.minor) + "." + std::to_string(t.build & 0xFFFF) + "\"\r\n";
        text += "\"SubVersionNumber\"=\"" + escaped(t.csdVersion) + "\"\r\n\r\n";
    } else {
        text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n";
        text += "\"CurrentVersion\"=\"" + std::to_string(t.major) + "." + std::to_string(t.minor) +
                "\"\r\n";
        text += "\"CurrentBuildNumber\"=\"" + std::to_string(t.build) + "\"\r\n";
        text += "\"CSDVersion\"=\"" + escaped(t.csdVersion) + "\"\r\n\r\n";
    }
    if (t.wow64) {
        // The 32-bit twin of SOFTWARE names the 32-bit Program Files folder.
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n";
        text += "\"ProgramFilesDir (x86)\"=\"" + escaped(kProgramFilesX86) + "\"\r\n\r\n";
        text +=
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion]\r\n";
        text += "\"ProgramFilesDir\"=\"" + escaped(kProgramFilesX86) + "\"\r\n\r\n";
    }
    if (t.hotfixQ246009) {
        text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
                "NT\\CurrentVersion\\Hotfix\\Q246009]\r\n";
        text += "\"Installed\"=dword:00000001\r\n\r\n";
    }
    const std::string controlSet = t.linkedControlSet ? "ControlSet001" : "CurrentControlSet";
    const std::string set = "[HKEY_LOCAL_MACHINE\\SYSTEM\\" + controlSet;
    text += set + "\\Control\\Class]\r\n\r\n";
    text += set + "\\Enum]\r\n\r\n";
    text += set + "\\Hardware Profiles\\0001]\r\n\r\n";
    text += set + "\\Services]\r\n\r\n";
    text += "[HKEY_CURRENT_USER\\Software\\Microsoft]\r\n\r\n";
    text += "[HKEY_USERS\\.DEFAULT\\Software]\r\n\r\n";
    return text;
}

// Links of the template's registry, added after the keys exist.
void templateLinks(const Template& t, RegistryStore& store) {
    std::shared_ptr<RegNode> node;
    if (t.linkedControlSet &&
        store.open("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet", true, node) == platform::kOk) {
        store.setLink(*node, "HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001");
    }
    const std::string set = t.linkedControlSet ? "ControlSet001" : "CurrentControlSet";
    const std::string profiles = "HKEY_LOCAL_MACHINE\\SYSTEM\\" + set + "\\Hardware Profiles";
    if (store.open(profiles + "\\Current", true, node) == platform::kOk) {
        store.setLink(*node, profiles + "\\0001");
    }
}

bool makeHostFolders(const std::string& folder) {
    std::string partial;
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = folder.find('/', start);
        if (end == std::string::npos) {
            end = folder.size();
        }
        partial = folder.substr(0, end);
        if (!partial.empty()) {
            mkdir(partial.c_str(), 0777);
        }
        start = end + 1;
    }
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Host path of the Windows path `path` after creating its folders (and the last one when
// `lastIsFolder`).
bool prepare(const std::string& path, bool lastIsFolder, HostEntry& entry) {
    WinPath parsed;
    if (parseWinPath(path, parsed) != platform::kOk || !Machine::current().present()) {
        return false;
    }
    WinPath partial;
    partial.drive = parsed.drive;
    if (!makeHostFolders(driveFolder(parsed.drive))) {
        return false;
    }
    for (std::size_t i = 0; i < parsed.parts.size(); ++i) {
        partial.parts.push_back(parsed.parts[i]);
        if (locate(partial, entry) != platform::kOk) {
            return false;
        }
        const bool folder = lastIsFolder || i + 1 < parsed.parts.size();
        if (folder && !entry.exists && mkdir(entry.host.c_str(), 0777) != 0) {
            return false;
        }
    }
    return locate(parsed, entry) == platform::kOk;
}

bool changeMark(const std::string& section, const std::string& canonical, bool on) {
    Machine& machine = Machine::current();
    int highest = 0;
    for (const auto& entry : machine.settings(section)) {
        if (winrules::equalNoCase(entry.second, canonical)) {
            if (on) {
                return true;
            }
            machine.removeSetting(section, entry.first);
        }
        highest = std::max(highest, std::atoi(entry.first.c_str()));
    }
    return !on || machine.changeSetting(section, std::to_string(highest + 1), canonical);
}

std::string letters(std::uint32_t attributes) {
    std::string text;
    text += (attributes & platform::kAttrReadOnly) != 0 ? 'R' : '-';
    text += (attributes & platform::kAttrHidden) != 0 ? 'H' : '-';
    text += (attributes & platform::kAttrSystem) != 0 ? 'S' : '-';
    text += (attributes & platform::kAttrArchive) != 0 ? 'A' : '-';
    return text;
}

std::string fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void listTree(const std::string& host, const std::string& windows, std::string& out) {
    for (const std::string& name : listFolder(host)) {
        const std::string childHost = host + "/" + name;
        const std::string childWindows = windows + "\\" + name;
        struct stat st {};
        if (lstat(childHost.c_str(), &st) != 0) {
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            out += "D " + childWindows + " " + letters(hostAttributes(childHost, true)) + "\n";
            listTree(childHost, childWindows, out);
        } else if (S_ISLNK(st.st_mode)) {
            out += "L " + childWindows + "\n";
        } else {
            std::string bytes;
            readHostFile(childHost, bytes);
            out += "F " + childWindows + " " + letters(hostAttributes(childHost, false)) + " " +
                   std::to_string(bytes.size()) + " " + fnv1a(bytes) + "\n";
        }
    }
}

} // namespace

std::vector<std::string> templateNames() {
    std::vector<std::string> names;
    for (const Template& t : kTemplates) {
        names.emplace_back(t.name);
    }
    return names;
}

bool createMachine(const std::string& folder, const std::string& templateName,
                   std::string& problem) {
    const Template* t = findTemplate(templateName);
    if (t == nullptr) {
        problem = "unknown template: " + templateName;
        return false;
    }
    struct stat st {};
    if (stat((folder + "/machine.ini").c_str(), &st) == 0) {
        problem = "a machine already exists in " + folder;
        return false;
    }
    if (!makeHostFolders(folder + "/drives/C")) {
        problem = "cannot create " + folder;
        return false;
    }
    IniText ini;
    ini.set("Machine", "Template", t->name);
    ini.set("Machine", "WindowsDir", t->windowsDir);
    ini.set("Machine", "SystemDir", t->systemDir);
    ini.set("Machine", "TempDir", t->tempDir);
    ini.set("Machine", "ProgramDir", kProgramDir);
    ini.set("Version", "Major", std::to_string(t->major));
    ini.set("Version", "Minor", std::to_string(t->minor));
    ini.set("Version", "Build", std::to_string(t->build));
    ini.set("Version", "PlatformId", std::to_string(t->platformId));
    ini.set("Version", "CSDVersion", t->csdVersion);
    ini.set("Version", "SPMajor", std::to_string(t->spMajor));
    ini.set("Version", "SPMinor", std::to_string(t->spMinor));
    ini.set("Version", "ProductType", std::to_string(t->productType));
    char suite[16];
    std::snprintf(suite, sizeof suite, "0x%x", t->suiteMask);
    ini.set("Version", "SuiteMask", suite);
    ini.set("Version", "Extended", t->extended ? "Yes" : "No");
    ini.set("Display", "Device0", t->display);
    if (t->wow64) {
        ini.set("Machine", "Wow64", "Yes");
    }
    if (!writeHostFileAtomically(folder + "/machine.ini", ini.text())) {
        problem = "cannot write " + folder + "/machine.ini";
        return false;
    }
    const std::string previous = Machine::current().folder();
    Machine::current().select(folder);
    bool made = true;
    for (const char* path : {t->windowsDir, t->systemDir, t->tempDir, t->programFilesDir,
                             static_cast<const char*>(kProgramDir)}) {
        made = plantFolder(path, 0) && made;
    }
    if (t->wow64) {
        made = plantFolder(std::string(t->windowsDir) + "\\SysWOW64", 0) && made;
        made = plantFolder(kProgramFilesX86, 0) && made;
        // The native registry editor in the Windows folder and its 32-bit twin: a program named
        // with its folder starts only when it is there.
        for (const std::string& editor : {std::string(t->windowsDir) + "\\regedit.exe",
                                          std::string(t->windowsDir) + "\\SysWOW64\\regedit.exe"}) {
            made = plantFile(editor, "MZ", platform::kAttrArchive) && made;
        }
    }
    RegistryStore& store = Machine::current().registry();
    importRegText(store, templateRegistry(*t), false, problem);
    templateLinks(*t, store);
    store.dirty = true;
    Machine::current().flush();
    Machine::current().select(previous);
    if (!made) {
        problem = "cannot create the folders of " + folder;
    }
    return made;
}

void selectMachine(const std::string& folder) {
    Machine::current().select(folder);
}

std::string machineFolder() {
    return Machine::current().folder();
}

int registerPrograms(const std::string& hostFolder) {
    int found = 0;
    for (const char* name : kStandIns) {
        for (const std::string& file : {std::string(name), std::string(name) + ".exe"}) {
            const std::string path = hostFolder + "/" + file;
            if (access(path.c_str(), X_OK) == 0) {
                registerProgram(name, path);
                ++found;
                break;
            }
        }
    }
    return found;
}

bool registerProgram(const std::string& name, const std::string& hostPath) {
    return Machine::current().changeSetting("Programs", name, hostPath);
}

bool parseAttributeLetters(const std::string& text, std::uint32_t& attributes) {
    attributes = 0;
    for (char c : text) {
        switch (winrules::upperChar(c)) {
        case 'R':
            attributes |= platform::kAttrReadOnly;
            break;
        case 'H':
            attributes |= platform::kAttrHidden;
            break;
        case 'S':
            attributes |= platform::kAttrSystem;
            break;
        case 'A':
            attributes |= platform::kAttrArchive;
            break;
        case '-':
            break;
        default:
            return false;
        }
    }
    return true;
}

bool plantFile(const std::string& path, const std::string& bytes, std::uint32_t attributes) {
    HostEntry entry;
    if (!prepare(path, false, entry) || (entry.exists && entry.isDir)) {
        return false;
    }
    if (entry.exists) {
        unlink(entry.host.c_str());
    }
    {
        std::ofstream out(entry.host, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            return false;
        }
    }
    return storeAttributes(entry.host, attributes);
}

bool plantFolder(const std::string& path, std::uint32_t attributes) {
    HostEntry entry;
    return prepare(path, true, entry) && entry.isDir && storeAttributes(entry.host, attributes);
}

bool markInUse(const std::string& path, bool inUse) {
    WinPath parsed;
    return parseWinPath(path, parsed) == platform::kOk &&
           changeMark("InUse", canonicalPath(parsed), inUse);
}

bool markAccessDenied(const std::string& pathOrKey, bool denied) {
    platform::RegKey root = 0;
    std::string rest;
    if (RegistryStore::splitFullName(pathOrKey, root, rest)) {
        std::shared_ptr<RegNode> node;
        RegistryStore& store = Machine::current().registry();
        // Marks name the key itself, whatever alias or link the caller wrote.
        const std::string name =
            store.open(pathOrKey, false, node) == platform::kOk ? store.fullName(*node) : pathOrKey;
        return changeMark("AccessDenied", winrules::upper(name), denied);
    }
    WinPath parsed;
    return parseWinPath(pathOrKey, parsed) == platform::kOk &&
           changeMark("AccessDenied", canonicalPath(parsed), denied);
}

bool setClock(const platform::LocalTime& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return setSetting("Clock", "Now", text);
}

bool setSetting(const std::string& section, const std::string& key, const std::string& value) {
    return Machine::current().changeSetting(section, key, value);
}

bool importRegistry(const std::string& text, std::string& problem) {
    return importRegText(Machine::current().registry(), text, false, problem);
}

bool exportRegistry(const std::string& keyName, std::string& text) {
    RegistryStore& store = Machine::current().registry();
    std::shared_ptr<RegNode> node;
    platform::RegKey root = 0;
    std::string rest;
    if (!RegistryStore::splitFullName(keyName, root, rest) ||
        store.open(keyName, false, node) != platform::kOk) {
        return false;
    }
    text = std::string(winrules::kRegeditHeader) + "\r\n";
    // The key keeps the name it was asked by, as regedit writes it.
    std::string name = keyName;
    while (!name.empty() && name.back() == '\\') {
        name.pop_back();
    }
    writeKeyText(store, *node, name, false, text);
    return true;
}

void flushRegistry() {
    Machine::current().flush();
}

std::string machineState() {
    Machine& machine = Machine::current();
    std::string out = "[settings]\n";
    std::string ini;
    readHostFile(machine.folder() + "/machine.ini", ini);
    IniText settings(ini);
    for (const std::string& section : settings.sections()) {
        if (winrules::equalNoCase(section, "Programs")) {
            continue; // host paths differ from one build folder to the next
        }
        for (const auto& entry : settings.entries(section)) {
            out += section + "." + entry.first + "=" + entry.second + "\n";
        }
    }
    out += "[files]\n";
    for (char drive = 'A'; drive <= 'Z'; ++drive) {
        const std::string host = driveFolder(drive);
        struct stat st {};
        if (stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            out += "D " + std::string(1, drive) + ":\n";
            listTree(host, std::string(1, drive) + ":", out);
        }
    }
    std::string shell;
    if (readHostFile(machine.folder() + "/shell.log", shell)) {
        out += "[shell]\n" + shell;
    }
    out += "[registry]\n";
    std::string registry = machine.registry().save();
    for (char c : registry) {
        if (c != '\r') {
            out += c;
        }
    }
    return out;
}

} // namespace sim
