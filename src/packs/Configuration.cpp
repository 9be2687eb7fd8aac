// Configuration listing and the section dispatcher.
#include "packs/Configuration.h"

#include "base/General.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "winrules/WinPath.h"

#include <array>

namespace {

using Handler = SectionHandlers::Handler;

// The section headers, each with the handler its lines go to.
struct Section {
    const char* line;
    Handler SectionHandlers::*handler;
};

constexpr std::array<Section, 6> kSections = {{
    {"[FILES]", &SectionHandlers::files},
    {"[SYSTEMFILES]", &SectionHandlers::systemFiles},
    {"[DIRECTORY]", &SectionHandlers::directory},
    {"[REGISTRY.SECTION]", &SectionHandlers::registrySection},
    {"[REGISTRY.VALUE]", &SectionHandlers::registryValue},
    {"[REGISTRY.SEARCH]", &SectionHandlers::registrySearch},
}};

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

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

void RunConfigurationFile(const SectionHandlers& handlers, const std::string& path) {
    RunConfigurationText(handlers, ReadTextFile(path));
}

void RunConfigurationText(const SectionHandlers& handlers, const std::string& text) {
    if (text.empty()) {
        return;
    }
    Handler SectionHandlers::*current = &SectionHandlers::files;
    for (const std::string& line : SplitLines(text)) {
        bool isSection = false;
        for (const Section& section : kSections) {
            if (line == section.line) {
                current = section.handler;
                isSection = true;
                break;
            }
        }
        if (!isSection && !line.empty() && handlers.*current) {
            (handlers.*current)(line);
        }
    }
}

void RunCompanionFile(const SectionHandlers& handlers, const std::string& path) {
    const std::string text = ReadTextFile(path);
    if (!text.empty() && handlers.registrySection) {
        for (const std::string& line : SplitLines(text)) {
            handlers.registrySection(line);
        }
    }
    DeleteCompanionFile(winrules::lastComponent(path));
}

void DeleteCompanionFile(const std::string& fileName) {
    platform::deleteFile(platform::programFolder() + "\\" + fileName);
}

void CleanConfiguration(const SectionHandlers& handlers, clsProtection& decoder,
                        const std::string& name, const std::string& decodedPath) {
    const std::string program = platform::programFolder();
    // A configuration that cannot be decoded removes nothing, even if a stale decoded copy of
    // another run were still lying there.
    if (!decoder.DecodeFile(program + "\\" + name + ".txf", decodedPath)) {
        RunConfigurationFile(handlers, decodedPath);
    }
    RunCompanionFile(handlers, program + "\\" + name + ".txr");
    platform::setAttributes(decodedPath, platform::kAttrNormal);
    platform::deleteFile(decodedPath);
}
