// Deterministic text widths for the headless renderer, so list extents are the same on every run.
#pragma once

#include <string>

namespace ui::headless {

// The face a window is designed with; controls without a face of their own use it.
constexpr const char* kDesignFace = "MS Sans Serif";

// Width in pixels of `text` in `face` at 8 points and 96 dpi, summed from a fixed per-character
// table. "Tahoma" has its own table; every other face ("MS Sans Serif" included) uses the
// MS Sans Serif table. Characters outside printable ASCII count 6 pixels, control characters 0.
int textWidth(const std::string& face, const std::string& text);

} // namespace ui::headless
