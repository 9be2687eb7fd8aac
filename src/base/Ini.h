// Reading and writing one key of a private-profile file in the program folder.
#pragma once

#include <string>

// The value of `key` in `section` of the program folder's file `fileName`, at most 254
// characters, or `defaultValue` when the file, section or key is missing.
std::string ReadIni(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& defaultValue);

// Stores `value` (line breaks become spaces) under `key` in `section`; failures are silent.
void WriteIni(const std::string& fileName, const std::string& section, const std::string& key,
              const std::string& value);
