// Cleaning configurations: listing them, running a decoded one section by section, and the
// registry companion file of its search hits.
#pragma once

#include <functional>
#include <string>
#include <vector>

class clsProtection;

// The operation each section's lines go to: the cleaning engine's, bound to one run. Lines before
// the first section header count as "[FILES]" lines.
struct SectionHandlers {
    using Handler = std::function<void(const std::string& line)>;
    Handler files;           // "[FILES]"
    Handler systemFiles;     // "[SYSTEMFILES]"
    Handler directory;       // "[DIRECTORY]"
    Handler registrySection; // "[REGISTRY.SECTION]", and every line of the companion file
    Handler registryValue;   // "[REGISTRY.VALUE]"
    Handler registrySearch;  // "[REGISTRY.SEARCH]"
};

// The names of the configurations in the program folder: every ordinary "*.txf" file, in the
// order the directory search returns them, cut before its last dot.
std::vector<std::string> ListConfigurations();

// Hands every non-empty line of the decoded configuration at `path` to its section's handler.
void RunConfigurationFile(const SectionHandlers& handlers, const std::string& path);

// The same for a decoded configuration held in memory.
void RunConfigurationText(const SectionHandlers& handlers, const std::string& text);

// The lines of `text`, separated by CR LF pairs only (a lone LF stays inside its line); a text
// ending in CR LF ends with an empty line.
std::vector<std::string> SplitLines(const std::string& text);

// Hands every line of the companion file at `path` to the registry-section handler, then deletes
// the file.
void RunCompanionFile(const SectionHandlers& handlers, const std::string& path);

// Deletes `fileName` in the program folder; a missing file is no error anybody sees.
void DeleteCompanionFile(const std::string& fileName);

// One configuration's clean: decode program folder\<name>.txf to `decodedPath` with the window's
// `decoder`, run it, run its companion file, delete the decoded copy. Decoder errors just mean
// nothing is run.
void CleanConfiguration(const SectionHandlers& handlers, clsProtection& decoder,
                        const std::string& name, const std::string& decodedPath);
