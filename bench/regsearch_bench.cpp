// Registry search speed: a generated registry of about 200,000 keys shaped like a real one,
// searched for a text that occurs a few dozen times, as a cleaning configuration's search does,
// and set against a bare enumeration of the same keys, the limit of any walk.
#include "cleaning/RegSearch.h"
#include "platform/Registry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Where the generated keys live, below HKEY_LOCAL_MACHINE ("reg query" can be pointed there too).
const char kBenchKey[] = "Software\\TvxBench";
const char kSearchText[] = "NVIDIA";
constexpr long kDefaultKeys = 200000;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Builds the tree below one open key, counting the keys it makes; stops making keys at `budget`.
class Generator {
  public:
    explicit Generator(long budget) : budget(budget), random(20070101) {}

    long made = 0;
    long needles = 0; // keys whose name holds the search text
    bool failed = false;

    // Opens or creates `name` below `parent` (0 when the budget is spent or creating failed).
    platform::RegKey create(platform::RegKey parent, const std::string& name) {
        if (made >= budget || failed) {
            return 0;
        }
        platform::RegKey key = 0;
        // Random names repeat now and then; only keys that are new count.
        if (platform::regOpenKey(parent, name, platform::RegAccess::AllAccess, key) ==
            platform::kOk) {
            return key;
        }
        if (platform::regCreateKey(parent, name, key) != platform::kOk) {
            failed = true;
            return 0;
        }
        ++made;
        if (containsNoCase(name, kSearchText)) {
            ++needles;
        }
        return key;
    }

    // Creates a chain of keys ("a\b\c") below `parent`, closing all of them.
    void chain(platform::RegKey parent, const std::vector<std::string>& names) {
        std::vector<platform::RegKey> opened;
        platform::RegKey at = parent;
        for (const std::string& name : names) {
            at = create(at, name);
            if (at == 0) {
                break;
            }
            opened.push_back(at);
        }
        for (platform::RegKey key : opened) {
            platform::regCloseKey(key);
        }
    }

    bool spent() const { return made >= budget || failed; }

    std::string guid() {
        char text[40];
        std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%04X%08X}", word(), word() & 0xFFFF,
                      word() & 0xFFFF, word() & 0xFFFF, word() & 0xFFFF, word());
        return text;
    }

    std::string hex(int digits) {
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text;
        for (int i = 0; i < digits; ++i) {
            text += kDigits[word() % 16];
        }
        return text;
    }

    unsigned word() { return static_cast<unsigned>(random()); }
    bool chance(int percent) { return static_cast<int>(word() % 100) < percent; }
    template <std::size_t N> const char* pick(const char* const (&names)[N]) {
        return names[word() % N];
    }

  private:
    static bool containsNoCase(const std::string& text, const char* part) {
        const std::size_t length = std::strlen(part);
        for (std::size_t i = 0; i + length <= text.size(); ++i) {
            std::size_t j = 0;
            while (j < length && std::toupper(static_cast<unsigned char>(text[i + j])) ==
                                     std::toupper(static_cast<unsigned char>(part[j]))) {
                ++j;
            }
            if (j == length) {
                return true;
            }
        }
        return false;
    }

    long budget;
    std::mt19937 random;
};

const char* const kVendors[] = {"Microsoft", "Adobe",       "Creative Labs", "Logitech",
                                "Intel",     "Realtek",     "Symantec",      "Macromedia",
                                "Mozilla",   "Sun",         "Apple",         "RealNetworks",
                                "WinZip",    "Ahead",       "Valve",         "ATI Technologies",
                                "Matrox",    "S3 Graphics", "Yahoo",         "Google"};
const char* const kSettings[] = {
    "Settings",      "Options",  "Recent File List", "Toolbars",   "Window Placement", "Plugins",
    "Preferences",   "Cache",    "History",          "Defaults",   "Layout",           "Profiles",
    "Shell Folders", "Policies", "Associations",     "Components", "Updates",          "Language"};
const char* const kProgIdWords[] = {"Document", "Control", "Application", "Player", "Viewer",
                                    "Object",   "Shell",   "Editor",      "Server", "Filter"};
const char* const kServices[] = {"Tcpip",    "Dhcp",         "Dnscache", "Eventlog",
                                 "PlugPlay", "RpcSs",        "Spooler",  "W32Time",
                                 "Netlogon", "LanmanServer", "AudioSrv", "Browser",
                                 "Cdrom",    "Disk",         "i8042prt", "kbdclass"};

// COM registrations: CLSIDs with their usual subkeys, interfaces, type libraries, ProgIDs.
void classes(Generator& g, platform::RegKey root, long share) {
    const platform::RegKey classesKey = g.create(root, "Classes");
    const platform::RegKey clsid = g.create(classesKey, "CLSID");
    const platform::RegKey interfaces = g.create(classesKey, "Interface");
    const platform::RegKey typeLib = g.create(classesKey, "TypeLib");
    const long stop = g.made + share;
    while (g.made < stop && !g.spent()) {
        const platform::RegKey entry = g.create(clsid, g.guid());
        g.chain(entry, {"InprocServer32"});
        if (g.chance(50)) {
            g.chain(entry, {"ProgID"});
        }
        if (g.chance(40)) {
            g.chain(entry, {"VersionIndependentProgID"});
        }
        if (g.chance(20)) {
            g.chain(entry, {"Implemented Categories", g.guid()});
        }
        platform::regCloseKey(entry);
        const platform::RegKey iface = g.create(interfaces, g.guid());
        g.chain(iface, {"ProxyStubClsid32"});
        if (g.chance(60)) {
            g.chain(iface, {"NumMethods"});
        }
        platform::regCloseKey(iface);
        if (g.chance(20)) {
            g.chain(typeLib, {g.guid(), "1.0", "0", "win32"});
        }
        if (g.chance(35)) {
            const std::string progId = std::string(g.pick(kVendors)) + "." + g.pick(kProgIdWords) +
                                       "." + std::to_string(g.word() % 9 + 1);
            const platform::RegKey key = g.create(classesKey, progId);
            g.chain(key, {"CLSID"});
            if (g.chance(30)) {
                g.chain(key, {"shell", "open", "command"});
            }
            platform::regCloseKey(key);
        }
    }
    // The control panel's own registrations.
    for (const char* progId : {"NVIDIA.NvCplApi.1", "NVIDIA.nView.Desktop", "nvidia.nvtt.1"}) {
        g.chain(classesKey, {progId, "CLSID"});
    }
    platform::regCloseKey(typeLib);
    platform::regCloseKey(interfaces);
    platform::regCloseKey(clsid);
    platform::regCloseKey(classesKey);
}

// A control set: device instances, services, device classes with their driver keys, video keys.
void controlSet(Generator& g, platform::RegKey root, const char* name, long share) {
    const platform::RegKey set = g.create(root, name);
    const platform::RegKey enumKey = g.create(set, "Enum");
    const platform::RegKey services = g.create(set, "Services");
    const platform::RegKey control = g.create(set, "Control");
    const platform::RegKey classKey = g.create(control, "Class");
    const long stop = g.made + share;
    int device = 0;
    while (g.made < stop && !g.spent()) {
        const std::string hardware =
            "VEN_" + g.hex(4) + "&DEV_" + g.hex(4) + "&SUBSYS_" + g.hex(8) + "&REV_" + g.hex(2);
        const std::string instance = "3&" + g.hex(8) + "&0&" + g.hex(2);
        const platform::RegKey bus = g.create(enumKey, g.chance(60) ? "PCI" : "USB");
        const platform::RegKey id = g.create(bus, hardware);
        const platform::RegKey inst = g.create(id, instance);
        g.chain(inst, {"Device Parameters"});
        g.chain(inst, {"LogConf"});
        if (g.chance(50)) {
            g.chain(inst, {"Control"});
        }
        platform::regCloseKey(inst);
        platform::regCloseKey(id);
        platform::regCloseKey(bus);
        const std::string service = std::string(g.pick(kServices)) + std::to_string(device % 97);
        const platform::RegKey serviceKey = g.create(services, service);
        g.chain(serviceKey, {"Parameters", g.chance(30) ? "Interfaces" : "Linkage"});
        g.chain(serviceKey, {"Enum"});
        g.chain(serviceKey, {"Security"});
        platform::regCloseKey(serviceKey);
        if (g.chance(15)) {
            char number[8];
            std::snprintf(number, sizeof number, "%04d", device % 10000);
            g.chain(classKey, {g.guid(), number, "Settings"});
        }
        ++device;
    }
    // Four display adapters, each with the property page handler of the NVIDIA control panel.
    const platform::RegKey display = g.create(classKey, "{4D36E968-E325-11CE-BFC1-08002BE10318}");
    const platform::RegKey video = g.create(control, "Video");
    for (const char* adapter : {"0000", "0001", "0002", "0003"}) {
        g.chain(display,
                {adapter, "Display", "shellex", "PropertySheetHandlers", "NVIDIA CPL Extension"});
        g.chain(video, {g.guid(), adapter, "Display", "shellex", "PropertySheetHandlers",
                        "NVIDIA CPL Extension"});
    }
    g.chain(services, {"NVIDIA Display Driver Service", "Parameters"});
    g.chain(services, {"nv", "Device0"});
    platform::regCloseKey(video);
    platform::regCloseKey(display);
    platform::regCloseKey(classKey);
    platform::regCloseKey(control);
    platform::regCloseKey(services);
    platform::regCloseKey(enumKey);
    platform::regCloseKey(set);
}

// Installed products and applications' own settings trees, of random depth.
void settingsTree(Generator& g, platform::RegKey parent, int depth) {
    const int children =
        depth < 2 ? 6 + static_cast<int>(g.word() % 10) : static_cast<int>(g.word() % (9 - depth));
    for (int i = 0; i < children && !g.spent(); ++i) {
        std::string name = g.pick(kSettings);
        if (g.chance(30)) {
            name += " " + std::to_string(g.word() % 50);
        }
        if (g.chance(1) && g.chance(3)) {
            name = "nvidia shader cache " + std::to_string(g.word() % 10);
        }
        const platform::RegKey child = g.create(parent, name);
        if (child != 0 && depth < 7) {
            settingsTree(g, child, depth + 1);
        }
        platform::regCloseKey(child);
    }
}

void software(Generator& g, platform::RegKey root, long share) {
    const long stop = g.made + share;
    const platform::RegKey installer = g.create(root, "Installer");
    const platform::RegKey products = g.create(installer, "Products");
    const platform::RegKey vendors = g.create(root, "Vendors");
    int round = 0;
    while (g.made < stop && !g.spent()) {
        const platform::RegKey product = g.create(products, g.hex(32));
        g.chain(product, {"SourceList", "Media"});
        g.chain(product, {"SourceList", "Net"});
        g.chain(product, {"Features"});
        platform::regCloseKey(product);
        const platform::RegKey vendor = g.create(vendors, g.pick(kVendors));
        const platform::RegKey app =
            g.create(vendor, std::string(g.pick(kProgIdWords)) + " " + std::to_string(round % 40));
        settingsTree(g, app, 0);
        platform::regCloseKey(app);
        platform::regCloseKey(vendor);
        ++round;
    }
    const platform::RegKey nvidia = g.create(vendors, "NVIDIA Corporation");
    g.chain(nvidia, {"Global", "NVTweak", "Devices"});
    g.chain(nvidia, {"Global", "nvcpl", "StartOnLogin"});
    g.chain(nvidia, {"Global", "NVIDIA Display Panel"});
    g.chain(nvidia, {"Installer", "NVIDIA Drivers"});
    g.chain(nvidia, {"nView", "Desktops", "Default"});
    platform::regCloseKey(nvidia);
    g.chain(root, {"Uninstall", "NVIDIA Drivers"});
    g.chain(root, {"Uninstall", "NVIDIA nView Desktop Manager"});
    for (int user = 0; user < 4; ++user) {
        g.chain(root, {"S-1-5-21-1004336348-1177238915-682003330-100" + std::to_string(user),
                       "Software", "NVIDIA Corporation", "Global", "NVTweak"});
    }
    platform::regCloseKey(vendors);
    platform::regCloseKey(products);
    platform::regCloseKey(installer);
}

bool generate(long keys) {
    platform::RegKey bench = 0;
    if (platform::regCreateKey(platform::kHkeyLocalMachine, kBenchKey, bench) != platform::kOk) {
        std::printf("regsearch_bench: cannot create HKEY_LOCAL_MACHINE\\%s (on the simulated "
                    "machine TVX_MACHINE must name a machine; scripts/bench.sh makes one)\n",
                    kBenchKey);
        return false;
    }
    Generator g(keys);
    const auto start = Clock::now();
    classes(g, bench, keys * 45 / 100);
    controlSet(g, bench, "ControlSet001", keys * 15 / 100);
    software(g, bench, keys);
    platform::regCloseKey(bench);
    const double seconds = secondsSince(start);
    std::printf("  generated %ld keys below HKEY_LOCAL_MACHINE\\%s in %.2f s (%ld named with "
                "\"%s\")\n",
                g.made, kBenchKey, seconds, g.needles, kSearchText);
    return !g.failed;
}

// One whole search as a cleaning window runs it; returns the hits in the order found.
std::vector<std::string> searchOnce(double& seconds) {
    std::vector<std::string> hits;
    cRegSearch search;
    search.SearchFound = [&hits](const std::string& root, const std::string& key,
                                 const std::string&) {
        hits.push_back(root + "\\" + key);
        return 0;
    };
    search.SearchFlags(0);
    search.RootKey("&H80000002");
    search.SubKey(kBenchKey);
    search.SearchString(kSearchText);
    const auto start = Clock::now();
    search.DoSearch();
    seconds = secondsSince(start);
    return hits;
}

// Every key below `name` of `parent` opened for reading and its subkeys enumerated one index at a
// time, as the search walks them, and nothing else: no name compared, no path kept. Returns the
// keys met.
long bareWalk(platform::RegKey parent, const std::string& name) {
    platform::OpenKey key;
    if (key.open(parent, name, platform::RegAccess::Read) != platform::kOk) {
        return 0;
    }
    long keys = 1;
    std::string child;
    for (std::uint32_t index = 0; platform::regEnumKey(key.get(), index, child) == platform::kOk;
         ++index) {
        keys += bareWalk(key.get(), child);
    }
    return keys;
}

// Times `rounds` searches (and, with `bare`, as many bare enumerations of the same keys, each
// right after its search) and prints the best and median times and the search's ratio to the bare
// walk.
bool searchRounds(int rounds, const char* hitsPath, bool bare) {
    std::vector<double> times;
    std::vector<double> bareTimes;
    std::vector<std::string> hits;
    long keys = 0;
    for (int round = 0; round < rounds; ++round) {
        double seconds = 0;
        std::vector<std::string> found = searchOnce(seconds);
        if (round > 0 && found != hits) {
            std::printf("FAILED: two searches of the same registry found different hits\n");
            return false;
        }
        hits = std::move(found);
        times.push_back(seconds);
        if (bare) {
            const auto start = Clock::now();
            keys = bareWalk(platform::kHkeyLocalMachine, kBenchKey);
            bareTimes.push_back(secondsSince(start));
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("  search for \"%s\": %zu hits; best %.3f s, median %.3f s of %d\n", kSearchText,
                hits.size(), times.front(), times[times.size() / 2], rounds);
    if (bare) {
        std::sort(bareTimes.begin(), bareTimes.end());
        std::printf("  bare enumeration of the same %ld keys: best %.3f s, median %.3f s of %d\n",
                    keys, bareTimes.front(), bareTimes[bareTimes.size() / 2], rounds);
        std::printf("  search / bare enumeration = %.2f, best against best (the walk's limit is 1; "
                    "the search should stay within 1.3)\n",
                    times.front() / bareTimes.front());
    }
    if (hitsPath != nullptr) {
        if (std::FILE* out = std::fopen(hitsPath, "wb")) {
            for (const std::string& hit : hits) {
                std::fprintf(out, "%s\n", hit.c_str());
            }
            std::fclose(out);
        }
    }
    return !hits.empty();
}

} // namespace

// Usage: regsearch_bench [generate | search | compare | all] [--keys N] [--rounds N] [--hits FILE]
// "generate" makes the keys (on a scratch machine: they stay), "search" times searches of keys
// made before, "compare" times them beside a bare enumeration of the same keys, "all" (the
// default) generates and compares.
int main(int argc, char** argv) {
    std::string mode = "all";
    long keys = kDefaultKeys;
    int rounds = 3;
    const char* hitsPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keys" && i + 1 < argc) {
            keys = std::atol(argv[++i]);
        } else if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--hits" && i + 1 < argc) {
            hitsPath = argv[++i];
        } else if (arg == "generate" || arg == "search" || arg == "compare" || arg == "all") {
            mode = arg;
        } else {
            std::printf("usage: regsearch_bench [generate|search|compare|all] [--keys N] "
                        "[--rounds N] [--hits FILE]\n");
            return 2;
        }
    }
    std::printf("regsearch_bench: key-name search, flags 0, below HKEY_LOCAL_MACHINE\\%s\n",
                kBenchKey);
    if ((mode == "generate" || mode == "all") && !generate(keys)) {
        return 1;
    }
    if (mode != "generate" && !searchRounds(rounds, hitsPath, mode != "search")) {
        std::printf("FAILED: the search found nothing (were the keys generated?)\n");
        return 1;
    }
    return 0;
}
