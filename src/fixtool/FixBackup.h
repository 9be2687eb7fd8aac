// Where one Fix keeps what it is about to replace, so the user can put it back by hand.
#pragma once

#include "platform/System.h"

#include <string>

// The backup folder of one Fix: "quellix\Backup\<dd-mm-yyyy_hhmmss>" below the program folder,
// named after the moment the Fix began and made only when something is to be kept.
class FixBackup {
  public:
    explicit FixBackup(const platform::LocalTime& fixTime);
    // A folder made for nothing (what was to be kept could not be) does not stay.
    ~FixBackup();
    FixBackup(const FixBackup&) = delete;
    FixBackup& operator=(const FixBackup&) = delete;

    // The folder, made with the folders above it the first time it is asked for (a second Fix
    // within the same second gets "_2", "_3", ... after the stamp); "" when it cannot be made.
    const std::string& folder();

    // Copies the file `path` into the folder; true only when the copy there holds the same
    // bytes.
    bool keepFile(const std::string& path);

    // A name for a new file in the folder: `base` (characters a file name cannot hold made '_')
    // with `extension`, numbered "_2", "_3", ... when taken; "" when there is no folder.
    std::string freeName(const std::string& base, const std::string& extension);

  private:
    std::string stamp;
    std::string made;
    bool tried = false;
};
