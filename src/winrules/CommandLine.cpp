// Command-line splitting by the rules Windows programs share.
#include "winrules/CommandLine.h"

namespace winrules {

namespace {

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void splitProgram(const std::string& commandLine, std::string& program, std::string& rest) {
    std::size_t i = 0;
    while (i < commandLine.size() && isSpaceOrTab(commandLine[i])) {
        ++i;
    }
    program.clear();
    if (i < commandLine.size() && commandLine[i] == '"') {
        const std::size_t close = commandLine.find('"', i + 1);
        if (close == std::string::npos) {
            program = commandLine.substr(i + 1);
            i = commandLine.size();
        } else {
            program = commandLine.substr(i + 1, close - i - 1);
            i = close + 1;
        }
    } else {
        while (i < commandLine.size() && !isSpaceOrTab(commandLine[i])) {
            program += commandLine[i++];
        }
    }
    rest = commandLine.substr(i);
}

// CommandLineToArgvW's rules for the arguments after the program token: 2n backslashes before a
// quote give n backslashes and toggle quoting, 2n+1 give n and a literal quote; inside quotes a
// doubled quote gives a literal one.
std::vector<std::string> splitArguments(const std::string& arguments) {
    std::vector<std::string> result;
    std::size_t i = 0;
    const std::size_t size = arguments.size();
    while (true) {
        while (i < size && isSpaceOrTab(arguments[i])) {
            ++i;
        }
        if (i >= size) {
            break;
        }
        std::string arg;
        int quoteCount = 0;
        std::size_t backslashes = 0;
        while (i < size) {
            const char c = arguments[i];
            if (isSpaceOrTab(c) && quoteCount == 0) {
                break;
            }
            if (c == '\\') {
                arg += c;
                ++backslashes;
                ++i;
            } else if (c == '"') {
                if (backslashes % 2 == 0) {
                    arg.erase(arg.size() - backslashes / 2);
                    ++quoteCount;
                } else {
                    arg.erase(arg.size() - backslashes / 2 - 1);
                    arg += '"';
                }
                ++i;
                backslashes = 0;
                while (i < size && arguments[i] == '"') {
                    if (++quoteCount == 3) {
                        arg += '"';
                        quoteCount = 0;
                    }
                    ++i;
                }
                if (quoteCount == 2) {
                    quoteCount = 0;
                }
            } else {
                arg += c;
                backslashes = 0;
                ++i;
            }
        }
        result.push_back(arg);
    }
    return result;
}

} // namespace winrules
