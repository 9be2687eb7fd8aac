// Registration text: writing keys as REGEDIT4 blocks and applying such text to the registry.
#include "platform/sim/RegText.h"

#include "platform/sim/RegistryStore.h"
#include "winrules/RegFile.h"
#include "winrules/WinText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace sim {

namespace {

const char kLinkPrefix[] = ";link=";
constexpr int kMaxLinkDepth = 8;

// The key a link leads to, for exports that show links as the keys they stand for.
const RegNode* followLinks(RegistryStore& store, const RegNode& node) {
    const RegNode* current = &node;
    for (int depth = 0; !current->link.empty() && depth < kMaxLinkDepth; ++depth) {
        std::shared_ptr<RegNode> target;
        if (store.open(current->link, false, target) != platform::kOk) {
            return nullptr;
        }
        current = target.get();
    }
    return current->link.empty() ? current : nullptr;
}

// Writes `node` and what lies below it. `above` holds the keys being written above this one: a
// link back to one of them (or to itself) is written empty, or the export would never end.
void writeBlock(RegistryStore& store, const RegNode& node, std::string& name, bool forStore,
                std::vector<const RegNode*>& above, std::string& out) {
    out += "[" + name + "]\r\n";
    const RegNode* shown = &node;
    if (!node.link.empty()) {
        if (forStore) {
            out += kLinkPrefix + node.link + "\r\n\r\n";
            return;
        }
        shown = followLinks(store, node);
        if (shown == nullptr || std::find(above.begin(), above.end(), shown) != above.end()) {
            out += "\r\n";
            return;
        }
    }
    for (const RegValue& value : shown->values) {
        // The registry's own file keeps each value on one line; exports wrap as regedit does.
        out += winrules::formatRegValue(value.name, value.type, value.data, !forStore);
    }
    out += "\r\n";
    const std::size_t length = name.size();
    above.push_back(shown);
    for (const auto& child : shown->subkeys) {
        name += '\\';
        name += child->name;
        writeBlock(store, *child, name, forStore, above, out);
        name.resize(length);
    }
    above.pop_back();
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
    const char u = winrules::upperChar(c);
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
        if (!readQuoted(text, pos, value) || !winrules::trimBlanks(text.substr(pos)).empty()) {
            return false;
        }
        type = platform::kRegSz;
        data = value + '\0';
        return true;
    }
    const std::string head = winrules::upper(text.substr(0, 6));
    if (head == "DWORD:") {
        const std::string digits = winrules::trimBlanks(text.substr(6));
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
        type = platform::kRegDword;
        data.assign(4, '\0');
        for (int i = 0; i < 4; ++i) {
            data[static_cast<std::size_t>(i)] = static_cast<char>(number >> (8 * i) & 0xFF);
        }
        return true;
    }
    if (winrules::upper(text.substr(0, 4)) == "HEX:") {
        type = platform::kRegBinary;
        return parseHexBytes(text.substr(4), data);
    }
    if (winrules::upper(text.substr(0, 4)) == "HEX(") {
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

} // namespace

void writeKeyText(RegistryStore& store, const RegNode& node, const std::string& name, bool forStore,
                  std::string& out) {
    std::string path = name;
    std::vector<const RegNode*> above;
    writeBlock(store, node, path, forStore, above, out);
}

bool importRegText(RegistryStore& store, const std::string& text, bool forStore,
                   std::string& problem) {
    const std::string plain = winrules::registrationText(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < plain.size()) {
        std::size_t end = plain.find('\n', start);
        if (end == std::string::npos) {
            end = plain.size();
        }
        std::string line = plain.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    std::size_t index = 0;
    while (index < lines.size() && winrules::trimBlanks(lines[index]).empty()) {
        ++index;
    }
    const std::string header =
        index < lines.size() ? winrules::trimBlanks(lines[index]) : std::string();
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00") {
        problem = "not a registration file";
        return false;
    }
    bool clean = true;
    auto fail = [&](const std::string& what) {
        if (clean) {
            problem = what;
        }
        clean = false;
    };
    std::shared_ptr<RegNode> current;
    for (++index; index < lines.size(); ++index) {
        std::string line = lines[index];
        std::size_t first = 0;
        while (first < line.size() && (line[first] == ' ' || line[first] == '\t')) {
            ++first;
        }
        line = line.substr(first);
        if (forStore && current && line.compare(0, sizeof kLinkPrefix - 1, kLinkPrefix) == 0) {
            store.setLink(*current, line.substr(sizeof kLinkPrefix - 1));
            continue;
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string::npos) {
                fail("bad key line: " + line);
                current.reset();
                continue;
            }
            std::string name = line.substr(1, close - 1);
            current.reset();
            if (!name.empty() && name[0] == '-') {
                std::shared_ptr<RegNode> doomed;
                if (store.open(name.substr(1), false, doomed) == platform::kOk && doomed->parent) {
                    store.removeKey(*doomed);
                }
                continue;
            }
            platform::RegKey root = 0;
            std::string path;
            if (!RegistryStore::splitFullName(name, root, path) ||
                store.open(name, true, current) != platform::kOk) {
                fail("bad key name: " + name);
                current.reset();
            }
            continue;
        }
        // Hex data may go on over several lines, each but the last ending in a backslash.
        while (!line.empty() && line.back() == '\\' && index + 1 < lines.size()) {
            line.pop_back();
            line += winrules::trimBlanks(lines[++index]);
        }
        std::string name;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] != '"' || !readQuoted(line, pos, name)) {
            fail("bad line: " + line);
            continue;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            fail("bad line: " + line);
            continue;
        }
        const std::string data = winrules::trimBlanks(line.substr(pos + 1));
        if (!current) {
            continue; // values of a key that could not be opened are passed over
        }
        if (data == "-") {
            store.deleteValue(*current, name);
            continue;
        }
        std::uint32_t type = 0;
        std::string bytes;
        if (!parseData(data, type, bytes)) {
            fail("bad value: " + line);
            continue;
        }
        store.setValue(*current, name, type, bytes);
    }
    return clean;
}

} // namespace sim
