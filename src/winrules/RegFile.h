// Registration files (REGEDIT4) as the Windows registry editor writes and reads them: the header,
// key lines and value lines.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace winrules {

// The first line of every registration file, with its line end.
extern const char kRegeditHeader[];

// `text` in quotes, with backslashes and quotes escaped as the editor escapes them.
std::string quoteRegText(const std::string& text);

// The line(s) of one value, ending with CR LF: "name"=... (@= for the unnamed value). A plain
// string is written as text, a 4-byte DWORD as dword:, anything else as hex bytes; `wrap` breaks
// long hex data at column 76 as the editor does.
std::string formatRegValue(const std::string& name, std::uint32_t type, const std::string& data,
                           bool wrap);

// The text of a registration file's bytes: UTF-16 (as version 5 is written) brought down to 8-bit
// characters ('?' for those beyond), a UTF-8 byte-order mark dropped, anything else as it is.
std::string registrationText(const std::string& bytes);

// One line of a registration file that says something, as the registry editor reads it.
struct RegStatement {
    enum class Kind {
        Key,         // [KEY]: the key is created with its parents and becomes the current key
        DeleteKey,   // [-KEY]: the key goes with everything below it
        Value,       // "name"=data (@=data for the unnamed value) in the current key
        DeleteValue, // "name"=- : the value goes
        Comment,     // a line beginning with ';'
        BadKey,      // a key line without its closing bracket: no key is current after it
        Bad,         // any other line the editor cannot read
    };
    Kind kind = Kind::Bad;
    std::string key;        // Key, DeleteKey: the full key name as written
    std::string name;       // Value, DeleteValue: the value name ("" for the unnamed value)
    std::uint32_t type = 0; // Value: the value type
    std::string data;       // Value: the bytes stored (a text with its terminating NUL)
    std::string text; // Comment: what follows the ';'; BadKey, Bad: what is wrong, and the line
};

// Reads registration text (REGEDIT4 or version 5.00, ANSI or UTF-16) line by line: false when its
// first line that is not blank is no registration header; otherwise every statement goes to
// `visit` in file order (blank lines say nothing). Hex data continued over several lines is one
// statement.
bool readRegistration(const std::string& bytes,
                      const std::function<void(const RegStatement&)>& visit);

} // namespace winrules
