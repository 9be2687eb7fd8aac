// The native file system and registry for a 32-bit program on 64-bit Windows (WOW64), where
// Windows shows such a program SysWOW64 for the system folder and Wow6432Node for HKLM\SOFTWARE.
// The functions this needs do not exist on older Windows: all are looked up at run time.
#pragma once

#include "platform/Files.h"

#include <windows.h>

#include <string>

namespace platform::win32 {

// True when this program is a 32-bit one running under WOW64.
bool underWow64();

// While it lives, file system redirection is off for this thread (under WOW64 only): the file
// operations inside see the system folder as it is. Nothing inside may load a DLL, which would
// then come from the wrong folder; it is made around single file system calls only.
class NativeFiles {
  public:
    NativeFiles();
    ~NativeFiles();
    NativeFiles(const NativeFiles&) = delete;
    NativeFiles& operator=(const NativeFiles&) = delete;

  private:
    void* previous = nullptr;
    bool disabled = false;
};

// The access bit that opens a key in the native registry view: KEY_WOW64_64KEY under WOW64, none
// elsewhere (Windows 2000 and older refuse the bit).
REGSAM nativeKeyView();

// Deletes `subKey` below `parent` in the native registry view (RegDeleteKeyExA under WOW64).
LONG deleteNativeKey(HKEY parent, const std::string& subKey);

// The shell's silent copy done with the file system's own calls, each with redirection off:
// `source` (a resolved file, folder or pattern in its last component) into the resolved folder
// `destination`, made when missing, or to the name `destination` when one named source meets a
// destination that does not exist; folders are merged, files replaced whatever their attributes,
// attributes kept. The shell itself cannot run with redirection off: it loads DLLs.
ShellCopyResult copyWithoutShell(const std::string& source, const std::string& destination);

} // namespace platform::win32
