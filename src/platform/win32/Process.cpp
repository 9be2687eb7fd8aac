// Starting a program and waiting for its end on the Win32 API, with the UI kept alive.
#include "platform/Process.h"
#include "platform/System.h"
#include "platform/win32/NativeView.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace platform {

namespace {

// Pause between two polls of a running program; the hook runs once per poll.
constexpr DWORD kPollMilliseconds = 10;

} // namespace

Error startAndWait(const std::string& commandLine, int showStyle, std::uint32_t* exitCode) {
    // CreateProcessA may write into the command line, so it gets a private copy.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return static_cast<Error>(GetLastError());
    }
    CloseHandle(process.hThread);
    // The wait uses the handle from the start itself: a handle opened later by process id could
    // miss a program that has already ended, and an exit code equal to STILL_ACTIVE would look
    // like a running program for ever.
    for (;;) {
        processPendingMessages();
        const DWORD waited = WaitForSingleObject(process.hProcess, kPollMilliseconds);
        if (waited != WAIT_TIMEOUT) {
            break;
        }
    }
    DWORD code = 0;
    if (exitCode != nullptr && GetExitCodeProcess(process.hProcess, &code)) {
        *exitCode = code;
    }
    CloseHandle(process.hProcess);
    return kOk;
}

std::string registryEditorProgram() {
    if (!win32::underWow64()) {
        return "regedit.exe";
    }
    // The Windows folder is not redirected: its regedit.exe is the native editor.
    return "\"" + windowsDirectory() + "\\regedit.exe\"";
}

} // namespace platform
