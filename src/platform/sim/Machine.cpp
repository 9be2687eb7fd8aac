// The machine folder of this process: machine.ini with its marks, and the registry's load and save.
#include "platform/sim/Machine.h"

#include "platform/sim/RegistryStore.h"
#include "winrules/WinText.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

const char kIniName[] = "/machine.ini";
const char kRegistryName[] = "/registry.txt";

void flushAtExit() {
    Machine::current().flush();
}

// Windows exit codes have 32 bits, a host process's exit status only 8: a program started on the
// machine hands its full code to the starter through the file named by TVX_EXIT_FILE.
void reportExitCode(int status, void*) {
    const char* file = std::getenv(kExitFileVariable);
    if (file == nullptr) {
        return;
    }
    FILE* out = std::fopen(file, "w");
    if (out != nullptr) {
        std::fprintf(out, "%u\n", static_cast<unsigned>(status));
        std::fclose(out);
    }
}

const bool kExitReporterInstalled = [] {
    return std::getenv(kExitFileVariable) != nullptr && on_exit(reportExitCode, nullptr) == 0;
}();

} // namespace

long long fileStamp(const std::string& hostPath) {
    struct stat st {};
    if (stat(hostPath.c_str(), &st) != 0) {
        return -1;
    }
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec +
           static_cast<long long>(st.st_size) * 7919 + static_cast<long long>(st.st_ino) * 104729;
}

bool readHostFile(const std::string& hostPath, std::string& bytes) {
    const int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Read straight into a string sized from the file's length, then on to the end in case the
    // file grew meanwhile.
    struct stat st {};
    std::string read;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        read.resize(static_cast<std::size_t>(st.st_size));
    }
    std::size_t filled = 0;
    bool done = false;
    while (!done) {
        char more[65536];
        const bool inPlace = filled < read.size();
        const ssize_t got = inPlace ? ::read(fd, &read[filled], read.size() - filled)
                                    : ::read(fd, more, sizeof more);
        if (got < 0) {
            close(fd);
            return false;
        }
        if (!inPlace && got > 0) {
            read.append(more, static_cast<std::size_t>(got));
        }
        filled += static_cast<std::size_t>(got);
        done = got == 0;
    }
    close(fd);
    read.resize(filled);
    bytes.swap(read);
    return true;
}

bool writeHostFileAtomically(const std::string& hostPath, const std::string& bytes) {
    const std::string temp = hostPath + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), hostPath.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

Machine::Machine() = default;

Machine::~Machine() = default;

Machine& Machine::current() {
    // Never destroyed: the atexit flush and late static destructors may still need it.
    static Machine* machine = [] {
        auto* created = new Machine();
        const char* folder = std::getenv("TVX_MACHINE");
        if (folder != nullptr) {
            created->select(folder);
        }
        std::atexit(flushAtExit);
        return created;
    }();
    return *machine;
}

void Machine::select(const std::string& folder) {
    flush();
    folderPath = folder;
    while (folderPath.size() > 1 && folderPath.back() == '/') {
        folderPath.pop_back();
    }
    iniLoaded = false;
    iniStamp = -1;
    store.reset();
    storeLoaded = false;
    registryStamp = -1;
}

void Machine::refreshIni() {
    if (!present()) {
        ini = IniText();
        iniLoaded = true;
        return;
    }
    const std::string path = folderPath + kIniName;
    const long long stamp = fileStamp(path);
    if (iniLoaded && stamp == iniStamp) {
        return;
    }
    std::string text;
    readHostFile(path, text);
    ini = IniText(text);
    iniStamp = stamp;
    iniLoaded = true;
}

bool Machine::saveIni() {
    if (!present()) {
        return false;
    }
    const std::string path = folderPath + kIniName;
    if (!writeHostFileAtomically(path, ini.text())) {
        return false;
    }
    iniStamp = fileStamp(path);
    return true;
}

std::string Machine::setting(const std::string& section, const std::string& key,
                             const std::string& fallback) {
    refreshIni();
    std::string value;
    return ini.find(section, key, value) ? value : fallback;
}

std::vector<std::pair<std::string, std::string>> Machine::settings(const std::string& section) {
    refreshIni();
    return ini.entries(section);
}

bool Machine::changeSetting(const std::string& section, const std::string& key,
                            const std::string& value) {
    refreshIni();
    ini.set(section, key, value);
    return saveIni();
}

bool Machine::removeSetting(const std::string& section, const std::string& key) {
    refreshIni();
    ini.remove(section, key);
    return saveIni();
}

bool Machine::marked(const std::string& section, const std::string& canonicalPath) {
    for (const auto& entry : settings(section)) {
        if (winrules::equalNoCase(entry.second, canonicalPath)) {
            return true;
        }
    }
    return false;
}

bool Machine::view32() {
    const char* view = std::getenv(kViewVariable);
    return view != nullptr && std::string(view) == "32" &&
           winrules::equalNoCase(setting("Machine", "Wow64"), "Yes");
}

RegistryStore& Machine::registry() {
    if (!store) {
        store = std::make_unique<RegistryStore>();
        store->view32 = view32();
    }
    if (!storeLoaded) {
        storeLoaded = true;
        if (present()) {
            const std::string path = folderPath + kRegistryName;
            std::string text;
            if (readHostFile(path, text)) {
                store->load(text);
            }
            registryStamp = fileStamp(path);
        }
    }
    return *store;
}

void Machine::flush() {
    if (!store || !storeLoaded || !present() || !store->dirty) {
        return;
    }
    const std::string path = folderPath + kRegistryName;
    if (writeHostFileAtomically(path, store->save())) {
        store->dirty = false;
        registryStamp = fileStamp(path);
    } else {
        std::fprintf(stderr, "tvx sim: cannot save the registry to %s\n", path.c_str());
    }
}

void Machine::reloadRegistry() {
    if (!store || !storeLoaded || !present()) {
        return;
    }
    const std::string path = folderPath + kRegistryName;
    const long long stamp = fileStamp(path);
    if (stamp == registryStamp) {
        return;
    }
    std::string text;
    if (readHostFile(path, text)) {
        store->load(text);
    }
    registryStamp = stamp;
}

} // namespace sim
