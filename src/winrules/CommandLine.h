// How Windows splits a command line: the program token, then the arguments by the rules of
// CommandLineToArgv.
#pragma once

#include <string>
#include <vector>

namespace winrules {

// Splits a command line into its program token (quotes removed) and the rest after it.
void splitProgram(const std::string& commandLine, std::string& program, std::string& rest);

// Splits command-line arguments by the CommandLineToArgv rules (quotes, backslashes).
std::vector<std::string> splitArguments(const std::string& arguments);

} // namespace winrules
