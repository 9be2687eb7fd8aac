// Starting external programs and waiting for them while the user interface stays alive.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Show-window style that hides the started program's window (SW_HIDE).
constexpr int kShowHidden = 0;

// Installs the hook that lets the user interface process its pending messages (the application
// object installs it); nullptr removes it.
void setPendingMessagesHook(std::function<void()> hook);

// Lets the user interface process its pending messages through the hook, if one is installed.
// Everything that works for long on the one thread calls it: startAndWait on every poll, the
// registry search in every pass, the cab packing after every file.
void processPendingMessages();

// Starts `commandLine` (the program found the usual way when named without a folder) with the
// show-window style `showStyle` and returns once it has ended, calling the pending-messages hook
// while it waits. A program that cannot be started gives the start's error; `exitCode` receives
// the process's exit code when given.
Error startAndWait(const std::string& commandLine, int showStyle,
                   std::uint32_t* exitCode = nullptr);

// The program part of a command line that starts the registry editor on the registry as this
// layer shows it: "regedit.exe", found the usual way; on 64-bit Windows the native editor by its
// quoted full path in the Windows folder, since the copy a 32-bit program finds by name is the
// 32-bit one, which sees the 32-bit registry (Wow6432Node) in place of the native one.
std::string registryEditorProgram();

} // namespace platform
