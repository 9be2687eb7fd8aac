// Registration files (REGEDIT4) as the Windows registry editor writes them: the header, key lines
// and value lines.
#pragma once

#include <cstdint>
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

} // namespace winrules
