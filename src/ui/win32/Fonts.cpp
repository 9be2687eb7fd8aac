// Font creation: one LOGFONT per face at the design size; the system's font mapping picks the
// nearest face when the named one is missing.
#include "ui/win32/Fonts.h"

#include <cstring>

namespace ui::win32 {

Fonts::~Fonts() {
    for (const auto& entry : made) {
        DeleteObject(entry.second);
    }
}

HFONT Fonts::font(const std::string& face) {
    const std::string name = face.empty() ? kDesignFace : face;
    const auto found = made.find(name);
    if (found != made.end()) {
        return found->second;
    }
    LOGFONTA description{};
    description.lfHeight = kDesignHeight;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    // A face name longer than LOGFONT holds is cut; the font mapper then finds the nearest.
    std::strncpy(description.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectA(&description);
    if (created == nullptr) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    made.emplace(name, created);
    return created;
}

} // namespace ui::win32
