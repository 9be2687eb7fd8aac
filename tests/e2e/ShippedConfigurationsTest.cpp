// Every line of every shipped configuration is one the engine carries out: a line the guard
// refuses, or one the handler cannot read, would leave its item behind without a word.
#include <doctest/doctest.h>

#include "base/General.h"
#include "base/Registry.h"
#include "cleaning/Engine.h"
#include "cleaning/Guard.h"
#include "language/ShippedLanguages.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

// What is wrong with `entry` of `section`, or "" when the engine runs it as written.
std::string problemWith(const std::string& section, const std::string& entry) {
    if (section == "[FILES]" || section == "[SYSTEMFILES]") {
        const std::string base = section == "[FILES]" ? GetWindowsFolder() : GetSystemFolder();
        return entry[0] == '\\' && CheckPath(base + entry) == PathVerdict::Allowed
                   ? ""
                   : "file line refused";
    }
    if (section == "[DIRECTORY]") {
        // A folder named by a pattern is cleaned, but its copy cannot be restored.
        if (entry.find_first_of("*?") != std::string::npos) {
            return "folder line with a pattern";
        }
        return CheckPath(ResolveDirectoryEntry(entry)) == PathVerdict::Allowed
                   ? ""
                   : "folder line refused";
    }
    const std::size_t slash = entry.find('\\');
    if (section == "[REGISTRY.SECTION]") {
        return slash != std::string::npos && RootKeyFromName(entry.substr(0, slash)) != 0 &&
                       !IsProtectedKey(entry.substr(0, slash), entry.substr(slash + 1))
                   ? ""
                   : "key line refused";
    }
    if (section == "[REGISTRY.VALUE]") {
        return slash != std::string::npos && entry.rfind('\\') > slash &&
                       RootKeyFromName(entry.substr(0, slash)) != 0
                   ? ""
                   : "value line unreadable";
    }
    // "[REGISTRY.SEARCH]": the root in capitals, a comma, a text a key name can hold.
    const std::size_t comma = entry.find(',');
    const std::string root = entry.substr(0, comma);
    return comma != std::string::npos && comma + 1 < entry.size() &&
                   entry.find('\\', comma) == std::string::npos && RootKeyFromName(root) != 0 &&
                   root.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos
               ? ""
               : "search line unreadable";
}

} // namespace

TEST_CASE("every line of every shipped configuration is one the engine carries out") {
    std::vector<std::filesystem::path> sources;
    for (const auto& file :
         std::filesystem::directory_iterator(langtest::sourcePath("data/configs"))) {
        sources.push_back(file.path());
    }
    REQUIRE(sources.size() >= 8);
    for (const std::filesystem::path& source : sources) {
        CAPTURE(source.filename().string());
        const std::string text = langtest::shippedForm(source);
        std::string section = "[FILES]";
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            const std::string line = text.substr(start, end - start);
            if (line == "[FILES]" || line == "[SYSTEMFILES]" || line == "[DIRECTORY]" ||
                line == "[REGISTRY.SECTION]" || line == "[REGISTRY.VALUE]" ||
                line == "[REGISTRY.SEARCH]") {
                section = line;
            } else if (!line.empty()) {
                CAPTURE(line);
                CHECK(problemWith(section, line) == "");
            }
        }
    }
}
