// Cleaning configurations: listing them, running a decoded one section by section, and the
// registry companion file of its search hits.
#pragma once

#include <string>
#include <vector>

class clsProtection;
struct RunContext;

// The names of the configurations in the program folder: every ordinary "*.txf" file, in the
// order the directory search returns them, cut before its last dot.
std::vector<std::string> ListConfigurations();

// Hands every non-empty line of the decoded configuration at `path` to its section's operation.
void RunConfigurationFile(RunContext& context, const std::string& path);

// Deletes every key listed in the companion file at `path`, then deletes the file.
void RunCompanionFile(RunContext& context, const std::string& path);

// One configuration's clean: decode program folder\<name>.txf to `decodedPath` with the window's
// `decoder`, run it, run its companion file, delete the decoded copy. Decoder errors just mean
// nothing is run.
void CleanConfiguration(RunContext& context, clsProtection& decoder, const std::string& name,
                        const std::string& decodedPath);
