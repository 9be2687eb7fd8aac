// The fonts of the windows: the design font and the faces the program chooses, made once each.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace ui::win32 {

// The face every window and control is designed with.
constexpr const char* kDesignFace = "MS Sans Serif";
// The design size, 8 points, as a character height in pixels at 96 dpi.
constexpr int kDesignHeight = -11;

// Owns one HFONT per face for the renderer's lifetime (controls keep using them until they die).
class Fonts {
  public:
    Fonts() = default;
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The font of `face` at the design size; "" gives the design font. Never nullptr: when the
    // system cannot make the font, the stock GUI font stands in.
    HFONT font(const std::string& face);

  private:
    std::map<std::string, HFONT> made;
};

} // namespace ui::win32
