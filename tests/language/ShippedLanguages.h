// Reading the language sources shipped in the source tree, as the tests need them.
#pragma once

#include "packs/PackEncoder.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace langtest {

// The host path of `relative` in the source tree; the Windows build reads it through Wine's
// drive Z:, which maps the host's root.
inline std::filesystem::path sourcePath(const std::string& relative) {
    std::string path = std::string(TVX_SOURCE_DIR) + "/" + relative;
#ifdef _WIN32
    path = "Z:" + path;
#endif
    return std::filesystem::path(path);
}

// The shipped form (comments dropped, CR LF line ends) of the source file `file`.
inline std::string shippedForm(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    return packs::shippedText(source.str());
}

// The "id=text" lines of a shipped language, by id; section lines are collected in `sections`.
inline std::map<std::string, std::string> textsOf(const std::string& shipped,
                                                  std::string* sections = nullptr) {
    std::map<std::string, std::string> texts;
    std::istringstream lines(shipped);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            if (sections != nullptr) {
                *sections += line;
            }
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            texts[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return texts;
}

} // namespace langtest
