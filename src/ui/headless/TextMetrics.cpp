// Per-character width tables of the two faces the program's windows use, at 8 points and 96 dpi.
#include "ui/headless/TextMetrics.h"

#include <cctype>

namespace ui::headless {

namespace {

constexpr int kFirst = 32; // the tables cover ' ' to '~'
constexpr int kLast = 126;
constexpr int kOtherWidth = 6;

// Widths of ' ' to '~' (95 entries), close to what GDI reports for each face.
constexpr unsigned char kSansSerif[kLast - kFirst + 1] = {
    3, 3, 4, 6, 6, 9, 8,  2, 4, 4,  4, 6, 3, 4, 3, 3, // space ! " # $ % & ' ( ) * + , - . /
    6, 6, 6, 6, 6, 6, 6,  6, 6, 6,                    // 0-9
    3, 3, 6, 6, 6, 6, 11,                             // : ; < = > ? @
    7, 7, 8, 8, 7, 6, 8,  8, 2, 5,  7, 6, 9,          // A-M
    8, 8, 7, 8, 8, 7, 6,  8, 7, 10, 7, 7, 7,          // N-Z
    3, 3, 3, 6, 6, 3,                                 // [ \ ] ^ _ `
    6, 6, 5, 6, 6, 3, 6,  6, 2, 2,  5, 2, 8,          // a-m
    6, 6, 6, 6, 3, 5, 3,  6, 6, 8,  5, 5, 5,          // n-z
    4, 2, 4, 7};                                      // { | } ~

constexpr unsigned char kTahoma[kLast - kFirst + 1] = {
    3, 3, 4, 7, 6, 10, 7, 2, 4, 4,  6, 7, 3, 4, 3, 4, // space ! " # $ % & ' ( ) * + , - . /
    6, 6, 6, 6, 6, 6,  6, 6, 6, 6,                    // 0-9
    4, 4, 7, 7, 7, 5,  9,                             // : ; < = > ? @
    6, 6, 6, 7, 6, 5,  7, 7, 4, 4,  6, 5, 8,          // A-M
    7, 7, 6, 7, 7, 6,  6, 7, 6, 10, 6, 6, 5,          // N-Z
    4, 4, 4, 7, 6, 6,                                 // [ \ ] ^ _ `
    5, 6, 5, 6, 5, 3,  6, 6, 2, 3,  5, 2, 8,          // a-m
    6, 6, 6, 6, 4, 5,  4, 6, 5, 8,  5, 5, 5,          // n-z
    5, 4, 5, 7};                                      // { | } ~

bool isTahoma(const std::string& face) {
    static const std::string kTahomaName = "tahoma";
    if (face.size() != kTahomaName.size()) {
        return false;
    }
    for (std::size_t i = 0; i < face.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(face[i])) != kTahomaName[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

int textWidth(const std::string& face, const std::string& text) {
    const unsigned char* table = isTahoma(face) ? kTahoma : kSansSerif;
    int width = 0;
    for (const char c : text) {
        const int code = static_cast<unsigned char>(c);
        if (code < kFirst) {
            continue;
        }
        width += code <= kLast ? table[code - kFirst] : kOtherWidth;
    }
    return width;
}

} // namespace ui::headless
