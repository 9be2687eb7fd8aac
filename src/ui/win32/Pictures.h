// The pictures the windows show, drawn with GDI so the program needs no bitmap files.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

// Resource names of the pictures this renderer draws.
constexpr const char* kSplashPicture = "splash"; // the start-up splash: name, purpose, version
constexpr const char* kLogoPicture = "logo";     // a small program emblem (about window)

// Draws the picture called `resource` to fill `area`; false (nothing drawn) for an unknown name.
bool drawPicture(HDC dc, const RECT& area, const std::string& resource);

} // namespace ui::win32
