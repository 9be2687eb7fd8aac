// Functions that older Windows lacks, looked up when first used so that the program still starts
// there.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The function `name` of the loaded system DLL `module` ("kernel32.dll"), or nullptr when this
// Windows has none.
template <class Function> Function systemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    return loaded == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

} // namespace platform::win32
