// The pictures the windows show, drawn with GDI so the program needs no bitmap files.
#pragma once

#include "ui/Controls.h"

#include <windows.h>

#include <string>

namespace ui::win32 {

// Resource names of the pictures this renderer draws.
constexpr const char* kSplashPicture = "splash"; // a start-up splash: title, subtitle, footer
constexpr const char* kLogoPicture = "logo";     // a small emblem (about window); no words

// Draws the picture called `resource` with the words it carries to fill `area`; false (nothing
// drawn) for an unknown name.
bool drawPicture(HDC dc, const RECT& area, const std::string& resource, const PictureWords& words);

} // namespace ui::win32
