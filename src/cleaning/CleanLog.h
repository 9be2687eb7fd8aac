// The clean log: one record per clean run appended to a file in the program folder's Log folder.
#pragma once

#include <string>
#include <vector>

// Appends a record to program folder\Log\<stamp><suffix>.log: the header with the window's load
// date and time, the slot lines (advanced window only; empty otherwise), then every found line.
// Returns false when the record could not be written; nobody reports it.
bool WriteCleanLog(const std::string& stamp, const std::string& suffix, const std::string& loadDate,
                   const std::string& loadTime, const std::vector<std::string>& slotLines,
                   const std::vector<std::string>& foundLines);
