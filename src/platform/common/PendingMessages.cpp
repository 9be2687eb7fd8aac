// The one pending-messages hook of the process, set by the user interface and called by whatever
// waits or walks for long.
#include "platform/Process.h"

#include <utility>

namespace platform {

namespace {

std::function<void()>& pendingMessagesHook() {
    static std::function<void()> hook;
    return hook;
}

} // namespace

void setPendingMessagesHook(std::function<void()> hook) {
    pendingMessagesHook() = std::move(hook);
}

void processPendingMessages() {
    if (pendingMessagesHook()) {
        pendingMessagesHook()();
    }
}

} // namespace platform
