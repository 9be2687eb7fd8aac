// Control of the simulated machine for tools and tests: templates, planting, faults, clock,
// registry text and the whole machine's state as text. Exists on the sim backend only.
#pragma once

#include "platform/System.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Names of the machine templates ("xp-sp2", "wine8", ...).
std::vector<std::string> templateNames();

// Creates a machine in the host folder `folder` (made when missing; must not hold a machine yet)
// from `templateName`; false with `problem` set on failure. The current machine is not changed.
bool createMachine(const std::string& folder, const std::string& templateName,
                   std::string& problem);

// Makes `folder` the machine of this process ("" for none), saving the previous registry.
void selectMachine(const std::string& folder);

// Host folder of the current machine ("" when none).
std::string machineFolder();

// Registers the stand-in programs (regedit, extract, tvxchild) found in host folder `hostFolder`
// under [Programs]; returns how many were found.
int registerPrograms(const std::string& hostFolder);

// Maps the Windows program name `name` to the host executable `hostPath`.
bool registerProgram(const std::string& name, const std::string& hostPath);

// Turns attribute letters ("RHSA" in any order and case, "-" or "" for none) into bits.
bool parseAttributeLetters(const std::string& letters, std::uint32_t& attributes);

// Puts a file with `bytes` and `attributes` at the Windows path `path`, creating the folders on
// the way and replacing whatever file was there, whatever its attributes.
bool plantFile(const std::string& path, const std::string& bytes, std::uint32_t attributes);

// Creates the folder `path` with every folder above it and gives it `attributes`.
bool plantFolder(const std::string& path, std::uint32_t attributes);

// Marks or unmarks the file or folder `path` as held open by another program (sharing violation).
bool markInUse(const std::string& path, bool inUse);

// Marks or unmarks a file, folder or registry key (full key name) as denied to the program.
bool markAccessDenied(const std::string& pathOrKey, bool denied);

// Fixes the machine's clock at `time`.
bool setClock(const platform::LocalTime& time);

// Stores one machine.ini value.
bool setSetting(const std::string& section, const std::string& key, const std::string& value);

// Applies registration text (REGEDIT4) to the registry; false with `problem` on a bad line.
bool importRegistry(const std::string& text, std::string& problem);

// REGEDIT4 text of the key `keyName` (full root name) with all below it; false when it is missing.
bool exportRegistry(const std::string& keyName, std::string& text);

// Saves the registry to the machine folder now.
void flushRegistry();

// The whole machine as sorted text: settings (without host paths), every file and folder with
// attributes, size and a hash of the contents, the shell requests, and the registry.
std::string machineState();

} // namespace sim
