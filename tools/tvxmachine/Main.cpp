// Command-line control of simulated machines: create from a template, plant files, set values,
// import and export registry text, and print the whole machine's state.
#include "platform/sim/Machine.h"
#include "platform/sim/SimMachine.h"

#include <climits>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char kUsage[] =
    "usage:\n"
    "  tvxmachine create DIR TEMPLATE\n"
    "  tvxmachine plant DIR WINPATH [--attr RHSA] [--from HOSTFILE | --text TEXT]\n"
    "  tvxmachine mkdir DIR WINPATH [--attr RHSA]\n"
    "  tvxmachine import DIR FILE.reg\n"
    "  tvxmachine export DIR FILE.reg KEY\n"
    "  tvxmachine state DIR\n"
    "  tvxmachine set DIR SECTION KEY VALUE\n"
    "  tvxmachine mark DIR inuse|denied|clear-inuse|clear-denied PATH-OR-KEY\n";

int fail(const std::string& message) {
    std::fprintf(stderr, "tvxmachine: %s\n", message.c_str());
    return 1;
}

// Folder of this program, where the stand-ins are built too.
std::string ownFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return ".";
    }
    std::string text(path, static_cast<std::size_t>(length));
    return text.substr(0, text.find_last_of('/'));
}

// Reads the --attr, --from and --text options that follow the fixed arguments.
bool options(const std::vector<std::string>& args, std::size_t first, std::uint32_t& attributes,
             std::string& bytes, bool& haveBytes) {
    attributes = 0;
    haveBytes = false;
    for (std::size_t i = first; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return false;
        }
        if (args[i] == "--attr") {
            if (!sim::parseAttributeLetters(args[i + 1], attributes)) {
                return false;
            }
        } else if (args[i] == "--from") {
            if (!sim::readHostFile(args[i + 1], bytes)) {
                return false;
            }
            haveBytes = true;
        } else if (args[i] == "--text") {
            bytes = args[i + 1];
            haveBytes = true;
        } else {
            return false;
        }
    }
    return true;
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& command = args[0];
    const std::string& folder = args[1];
    if (command == "create" && args.size() == 3) {
        std::string problem;
        if (!sim::createMachine(folder, args[2], problem)) {
            return fail(problem);
        }
        sim::selectMachine(folder);
        sim::registerPrograms(ownFolder());
        return 0;
    }
    sim::selectMachine(folder);
    if ((command == "plant" || command == "mkdir") && args.size() >= 3) {
        std::uint32_t attributes = 0;
        std::string bytes;
        bool haveBytes = false;
        if (!options(args, 3, attributes, bytes, haveBytes) || (command == "mkdir" && haveBytes)) {
            return fail("bad options");
        }
        const bool done = command == "plant" ? sim::plantFile(args[2], bytes, attributes)
                                             : sim::plantFolder(args[2], attributes);
        return done ? 0 : fail("cannot create " + args[2]);
    }
    if (command == "import" && args.size() == 3) {
        std::string text;
        std::string problem;
        if (!sim::readHostFile(args[2], text)) {
            return fail("cannot read " + args[2]);
        }
        return sim::importRegistry(text, problem) ? 0 : fail(problem);
    }
    if (command == "export" && args.size() == 4) {
        std::string text;
        if (!sim::exportRegistry(args[3], text)) {
            return fail("no key " + args[3]);
        }
        return sim::writeHostFileAtomically(args[2], text) ? 0 : fail("cannot write " + args[2]);
    }
    if (command == "state" && args.size() == 2) {
        std::fputs(sim::machineState().c_str(), stdout);
        return 0;
    }
    if (command == "set" && args.size() == 5) {
        return sim::setSetting(args[2], args[3], args[4]) ? 0 : fail("cannot write machine.ini");
    }
    if (command == "mark" && args.size() == 4) {
        const std::string& kind = args[2];
        bool done = false;
        if (kind == "inuse" || kind == "clear-inuse") {
            done = sim::markInUse(args[3], kind == "inuse");
        } else if (kind == "denied" || kind == "clear-denied") {
            done = sim::markAccessDenied(args[3], kind == "denied");
        }
        return done ? 0 : fail("cannot mark " + args[3]);
    }
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const int status = run(std::vector<std::string>(argv + 1, argv + argc));
    sim::flushRegistry();
    return status;
}
