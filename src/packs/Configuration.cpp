// Configuration listing and the section dispatcher.
#include "packs/Configuration.h"

#include "cleaning/Engine.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/General.h"

#include <array>

namespace {

using Handler = void (*)(RunContext&, const std::string&);

struct Section {
    const char* line;
    Handler handler;
};

constexpr std::array<Section, 6> kSections = {{
    {"[FILES]", CleanFile},
    {"[SYSTEMFILES]", CleanSystemFile},
    {"[DIRECTORY]", CleanDirectory},
    {"[REGISTRY.SECTION]", CleanRegSection},
    {"[REGISTRY.VALUE]", CleanRegValue},
    {"[REGISTRY.SEARCH]", CleanRegSearch},
}};

// Lines are separated by CR LF only; a lone LF stays inside its line.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::vector<std::string> ListConfigurations() {
    std::vector<std::string> names;
    std::vector<platform::FindEntry> entries;
    if (platform::findFiles(platform::programFolder() + "\\*.txf", entries) != platform::kOk) {
        return names;
    }
    for (const platform::FindEntry& entry : entries) {
        const std::uint32_t hidden =
            platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory;
        if ((entry.attributes & hidden) == 0) {
            names.push_back(entry.name.substr(0, entry.name.rfind('.')));
        }
    }
    return names;
}

void RunConfigurationFile(RunContext& context, const std::string& path) {
    const std::string text = ReadTextFile(path);
    if (text.empty()) {
        return;
    }
    Handler current = CleanFile;
    for (const std::string& line : splitLines(text)) {
        bool isSection = false;
        for (const Section& section : kSections) {
            if (line == section.line) {
                current = section.handler;
                isSection = true;
                break;
            }
        }
        if (!isSection && !line.empty()) {
            current(context, line);
        }
    }
}

void RunCompanionFile(RunContext& context, const std::string& path) {
    const std::string text = ReadTextFile(path);
    if (!text.empty()) {
        for (const std::string& line : splitLines(text)) {
            CleanRegSection(context, line);
        }
    }
    const std::size_t slash = path.rfind('\\');
    DeleteCompanionFile(slash == std::string::npos ? path : path.substr(slash + 1));
}

void CleanConfiguration(RunContext& context, clsProtection& decoder, const std::string& name,
                        const std::string& decodedPath) {
    const std::string program = platform::programFolder();
    // A configuration that cannot be decoded removes nothing, even if a stale decoded copy of
    // another run were still lying there.
    if (!decoder.DecodeFile(program + "\\" + name + ".txf", decodedPath)) {
        RunConfigurationFile(context, decodedPath);
    }
    RunCompanionFile(context, program + "\\" + name + ".txr");
    platform::setAttributes(decodedPath, platform::kAttrNormal);
    platform::deleteFile(decodedPath);
}
