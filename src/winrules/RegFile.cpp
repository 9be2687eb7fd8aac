// Writing and reading registration-file text.
#include "winrules/RegFile.h"

#include "winrules/WinText.h"

#include <cstdio>
#include <vector>

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

// Reads a quoted text starting at `pos` (on the opening quote); false when it is not closed.
bool readQuoted(const std::string& line, std::size_t& pos, std::string& text) {
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"')) {
            ++pos;
            text += line[pos];
        } else {
            text += c;
        }
    }
    return false;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char u = upperChar(c);
    return u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

bool parseHexBytes(const std::string& text, std::string& bytes) {
    bytes.clear();
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        if (i >= text.size()) {
            return true;
        }
        const int high = hexDigit(text[i]);
        const int low = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) {
            return false;
        }
        bytes += static_cast<char>(high << 4 | low);
        i += 2;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        if (i < text.size() && text[i] != ',') {
            return false;
        }
        ++i;
    }
}

// Parses the data after "=": a quoted text, dword:, hex: or hex(N):.
bool parseData(const std::string& text, std::uint32_t& type, std::string& data) {
    if (!text.empty() && text[0] == '"') {
        std::size_t pos = 0;
        std::string value;
        if (!readQuoted(text, pos, value) || !trimBlanks(text.substr(pos)).empty()) {
            return false;
        }
        type = kRegSz;
        data = value + '\0';
        return true;
    }
    const std::string head = upper(text.substr(0, 6));
    if (head == "DWORD:") {
        const std::string digits = trimBlanks(text.substr(6));
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        std::uint32_t number = 0;
        for (char c : digits) {
            const int digit = hexDigit(c);
            if (digit < 0) {
                return false;
            }
            number = number << 4 | static_cast<std::uint32_t>(digit);
        }
        type = kRegDword;
        data.assign(4, '\0');
        for (int i = 0; i < 4; ++i) {
            data[static_cast<std::size_t>(i)] = static_cast<char>(number >> (8 * i) & 0xFF);
        }
        return true;
    }
    if (upper(text.substr(0, 4)) == "HEX:") {
        type = kRegBinary;
        return parseHexBytes(text.substr(4), data);
    }
    if (upper(text.substr(0, 4)) == "HEX(") {
        const std::size_t close = text.find("):");
        if (close == std::string::npos || close == 4) {
            return false;
        }
        std::uint32_t number = 0;
        for (std::size_t i = 4; i < close; ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0) {
                return false;
            }
            number = number << 4 | static_cast<std::uint32_t>(digit);
        }
        type = number;
        return parseHexBytes(text.substr(close + 2), data);
    }
    return false;
}

// The statement of one line that is not a key line: a value or its deletion, or a bad line.
RegStatement valueStatement(const std::string& line) {
    RegStatement statement;
    std::size_t pos = 0;
    if (line.empty()) {
        statement.text = "bad line: ";
        return statement;
    }
    if (line[0] == '@') {
        pos = 1;
    } else if (line[0] != '"' || !readQuoted(line, pos, statement.name)) {
        statement.text = "bad line: " + line;
        return statement;
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    if (pos >= line.size() || line[pos] != '=') {
        statement.text = "bad line: " + line;
        return statement;
    }
    const std::string data = trimBlanks(line.substr(pos + 1));
    if (data == "-") {
        statement.kind = RegStatement::Kind::DeleteValue;
    } else if (parseData(data, statement.type, statement.data)) {
        statement.kind = RegStatement::Kind::Value;
    } else {
        statement.text = "bad value: " + line;
    }
    return statement;
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

bool readRegistration(const std::string& bytes,
                      const std::function<void(const RegStatement&)>& visit) {
    const std::vector<std::string> lines = splitLines(registrationText(bytes));
    std::size_t index = 0;
    while (index < lines.size() && trimBlanks(lines[index]).empty()) {
        ++index;
    }
    const std::string header = index < lines.size() ? trimBlanks(lines[index]) : std::string();
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00") {
        return false;
    }
    for (++index; index < lines.size(); ++index) {
        const std::size_t first = lines[index].find_first_not_of(" \t");
        if (first == std::string::npos) {
            continue;
        }
        std::string line = lines[index].substr(first);
        RegStatement statement;
        if (line[0] == ';') {
            statement.kind = RegStatement::Kind::Comment;
            statement.text = line.substr(1);
        } else if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string::npos) {
                statement.kind = RegStatement::Kind::BadKey;
                statement.text = "bad key line: " + line;
            } else if (close > 1 && line[1] == '-') {
                statement.kind = RegStatement::Kind::DeleteKey;
                statement.key = line.substr(2, close - 2);
            } else {
                statement.kind = RegStatement::Kind::Key;
                statement.key = line.substr(1, close - 1);
            }
        } else {
            // Hex data may go on over several lines, each but the last ending in a backslash.
            while (!line.empty() && line.back() == '\\' && index + 1 < lines.size()) {
                line.pop_back();
                line += trimBlanks(lines[++index]);
            }
            statement = valueStatement(line);
        }
        visit(statement);
    }
    return true;
}

} // namespace winrules
