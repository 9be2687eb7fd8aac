// Registry functions of the cleaning engine: root names, key and value deletion, string reading.
#pragma once

#include <cstdint>
#include <string>

// The root handle value (0x80000000 to 0x80000006) of a full root name in any case; 0 otherwise.
std::uint32_t RootKeyFromName(const std::string& name);

// Deletes `keyPath` below `root` when it has no subkeys; the outcome is not reported.
void DeleteKey(std::uint64_t root, const std::string& keyPath);

// Deletes every key below `keyPath` (not the key itself), deepest first; false when a subkey
// could not be deleted. A key that cannot be opened counts as success: nothing to delete.
bool DeleteSubKeys(std::uint64_t root, const std::string& keyPath);

// Deletes the value `valueName` ("" is the unnamed value) of `keyPath`; the outcome is not
// reported.
void DeleteValue(std::uint64_t root, const std::string& keyPath, const std::string& valueName);

// The REG_SZ value `valueName` of `keyPath` up to its first NUL; empty when missing, unreadable
// or of another type.
std::string ReadRegString(std::uint64_t root, const std::string& keyPath,
                          const std::string& valueName);
