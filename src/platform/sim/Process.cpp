// Starting programs on the simulated machine: Windows program names map to host stand-ins that
// run as real child processes on the same machine folder.
#include "platform/Process.h"
#include "platform/Files.h"

#include "platform/System.h"

#include "platform/sim/Machine.h"
#include "winrules/CommandLine.h"
#include "winrules/WinPath.h"
#include "winrules/WinText.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace platform {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(3);

// Windows' own programs among the stand-ins. On a 64-bit machine the copy a 32-bit program finds
// by name (in SysWOW64, searched as the system folder) is the 32-bit one, which sees the 32-bit
// twins; the copy in the Windows folder is the native one.
const char* const kWindowsPrograms[] = {"regedit"};

std::string baseName(const std::string& program) {
    std::string base = program.substr(winrules::folderPart(program).size());
    if (base.size() > 4 && winrules::equalNoCase(base.substr(base.size() - 4), ".exe")) {
        base.resize(base.size() - 4);
    }
    return base;
}

// True when `program` as the command line names it starts the 32-bit copy of a Windows program.
bool startsThirtyTwoBitCopy(const std::string& program) {
    if (!windows64Bit()) {
        return false;
    }
    const std::string base = baseName(program);
    for (const char* name : kWindowsPrograms) {
        if (winrules::equalNoCase(base, name)) {
            return !winrules::equalNoCase(winrules::folderPart(program), windowsDirectory() + "\\");
        }
    }
    return false;
}

// The [Programs] entry of `program`: matched by its base name, ".exe" optional.
std::string hostProgram(const std::string& program) {
    const std::string base = baseName(program);
    if (base.empty()) {
        return "";
    }
    return sim::Machine::current().setting("Programs", base);
}

// The environment of a started program: ours with TVX_MACHINE naming this machine, and TVX_VIEW
// only for the 32-bit copy of a Windows program.
std::vector<std::string> childEnvironment(const std::string& exitFile, bool view32) {
    const std::string machineVariable = "TVX_MACHINE=";
    const std::string exitVariable = std::string(sim::kExitFileVariable) + "=";
    const std::string viewVariable = std::string(sim::kViewVariable) + "=";
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.compare(0, machineVariable.size(), machineVariable) != 0 &&
            text.compare(0, exitVariable.size(), exitVariable) != 0 &&
            text.compare(0, viewVariable.size(), viewVariable) != 0) {
            environment.push_back(text);
        }
    }
    environment.push_back(machineVariable + sim::Machine::current().folder());
    environment.push_back(exitVariable + exitFile);
    if (view32) {
        environment.push_back(viewVariable + "32");
    }
    return environment;
}

// The full exit code the program left, or its 8-bit host status when it left none.
std::uint32_t exitCodeOf(const std::string& exitFile, int status) {
    std::uint32_t code = WIFEXITED(status) ? static_cast<std::uint32_t>(WEXITSTATUS(status)) : 1;
    std::string text;
    if (sim::readHostFile(exitFile, text) && !text.empty()) {
        code = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    }
    std::remove(exitFile.c_str());
    return code;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(&text[0]);
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

Error startAndWait(const std::string& commandLine, int, std::uint32_t* exitCode) {
    std::string program;
    std::string rest;
    winrules::splitProgram(commandLine, program, rest);
    const std::string host = hostProgram(program);
    if (host.empty() || access(host.c_str(), X_OK) != 0) {
        return kErrorFileNotFound;
    }
    // A program named with its folder must be on the machine there, as Windows would look.
    std::uint64_t length = 0;
    if (program.find_first_of("\\:") != std::string::npos && fileLength(program, length) != kOk) {
        return kErrorFileNotFound;
    }
    std::vector<std::string> arguments = winrules::splitArguments(rest);
    arguments.insert(arguments.begin(), program);
    static unsigned started = 0;
    const std::string exitFile = sim::Machine::current().folder() + "/exit-" +
                                 std::to_string(getpid()) + "-" + std::to_string(++started);
    std::vector<std::string> environment =
        childEnvironment(exitFile, startsThirtyTwoBitCopy(program));
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);

    // The child reads the registry from disk and may change it; it is saved before and read
    // again after.
    sim::Machine::current().flush();
    pid_t child = 0;
    if (posix_spawn(&child, host.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
        return kErrorFileNotFound;
    }
    int status = 0;
    for (;;) {
        processPendingMessages();
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) {
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    sim::Machine::current().reloadRegistry();
    const std::uint32_t code = exitCodeOf(exitFile, status);
    if (exitCode != nullptr) {
        *exitCode = code;
    }
    return kOk;
}

std::string registryEditorProgram() {
    return windows64Bit() ? "\"" + windowsDirectory() + "\\regedit.exe\"" : "regedit.exe";
}

} // namespace platform
