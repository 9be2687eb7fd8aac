// Test child program: runs a while, optionally leaves a file behind, and exits with a chosen code.
#include "platform/Files.h"

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

// Usage: tvxchild [milliseconds [exit-code [file-to-write]]]
int main(int argc, char** argv) {
    const long milliseconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
    const int exitCode = argc > 2 ? std::atoi(argv[2]) : 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    if (argc > 3) {
        // Written through the platform so that on the simulated machine the file lands inside it.
        platform::writeFile(argv[3], "tvxchild\r\n");
    }
    return exitCode;
}
