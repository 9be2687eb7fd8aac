// Running an external program to its end, and silent shell copies of files and folders.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>

// Runs `commandLine` with the show-window style `windowStyle` and returns once the program has
// ended, processing pending window messages meanwhile. Returns the error of a program that
// cannot be started (the callers treat it as their own failure), kOk otherwise; `exitCode`, when
// given, receives the program's exit code.
platform::Error StartAndWait(const std::string& commandLine, int windowStyle,
                             std::uint32_t* exitCode = nullptr);

// Copies the folder `source` with everything in it into the existing folder `destination` (the
// copy is destination\<source's name>); true when the shell reports no part aborted.
bool CopyFolder(const std::string& source, const std::string& destination);

// Copies the file `source` (wildcards allowed in its last component; one trailing backslash is
// dropped) into the existing folder `destination`, replacing a file of the same name; false when
// the destination folder does not exist or the copy failed.
bool CopyFile(const std::string& source, const std::string& destination);
