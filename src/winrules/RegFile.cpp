// Writing registration-file text.
#include "winrules/RegFile.h"

#include <cstdio>

namespace winrules {

const char kRegeditHeader[] = "REGEDIT4\r\n";

namespace {

constexpr std::size_t kWrapColumn = 76;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// A string value written as text must come back as the same bytes: one final NUL, no other NUL,
// no line break.
bool plainString(const std::string& data) {
    if (data.empty() || data.back() != '\0') {
        return false;
    }
    return data.find_first_of(std::string("\0\r\n", 3)) == data.size() - 1;
}

} // namespace

std::string quoteRegText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string formatRegValue(const std::string& name, std::uint32_t type, const std::string& data,
                           bool wrap) {
    std::string line = name.empty() ? "@=" : quoteRegText(name) + "=";
    if (type == kRegSz && plainString(data)) {
        return line + quoteRegText(data.substr(0, data.size() - 1)) + "\r\n";
    }
    if (type == kRegDword && data.size() == 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(data.data());
        char text[16];
        std::snprintf(text, sizeof text, "%08x",
                      static_cast<unsigned>(b[0] | b[1] << 8 | b[2] << 16) |
                          static_cast<unsigned>(b[3]) << 24);
        return line + "dword:" + text + "\r\n";
    }
    char prefix[24];
    if (type == kRegBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
    }
    std::string out;
    line += prefix;
    for (std::size_t i = 0; i < data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(data[i]));
        line += byte;
        if (i + 1 < data.size()) {
            line += ',';
            if (wrap && line.size() >= kWrapColumn) {
                out += line + "\\\r\n";
                line = "  ";
            }
        }
    }
    return out + line + "\r\n";
}

std::string registrationText(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::string out;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned code = static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8;
            out += code < 0x100 ? static_cast<char>(code) : '?';
        }
        return out;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return bytes.substr(3);
    }
    return bytes;
}

} // namespace winrules
