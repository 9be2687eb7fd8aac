// Starting external programs and waiting for them while the user interface stays alive.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Show-window style that hides the started program's window (SW_HIDE).
constexpr int kShowHidden = 0;

// Installs the hook startAndWait calls on every poll so the UI can process pending messages.
void setPendingMessagesHook(std::function<void()> hook);

// Starts `commandLine` (the program found the usual way when named without a folder) with the
// show-window style `showStyle` and returns once it has ended, calling the pending-messages hook
// while it waits. A program that cannot be started gives the start's error; `exitCode` receives
// the process's exit code when given.
Error startAndWait(const std::string& commandLine, int showStyle,
                   std::uint32_t* exitCode = nullptr);

} // namespace platform
