// The driver's script: one command per line, parsed up front so a typo fails before anything runs.
#pragma once

#include <string>
#include <vector>

namespace ui::headless {

// One word of a command; `quoted` tells a "string" from a bare word (a quoted "#0" is a text,
// a bare #0 a list position).
struct Token {
    std::string text;
    bool quoted = false;
};

// A command of the script with the line it stands on.
struct Command {
    int line = 0;
    std::string verb;
    std::vector<Token> args;
    std::string source; // the line as written, for messages
};

// Parses `text` into `commands`; false with `error` set to "line N: ..." on the first line that
// is not a well-formed command (unknown verb, wrong number of words, bad number, open quote).
bool parseScript(const std::string& text, std::vector<Command>& commands, std::string& error);

// The command a `during` line holds (its words after "during"), with the same line.
Command deferredCommand(const Command& during);

// Writes `text` as a script string: in double quotes, with every quote doubled.
std::string quote(const std::string& text);

// Reads a whole number in [min, max] from `text`; false when it is not one.
bool parseNumber(const std::string& text, long min, long max, long& value);

} // namespace ui::headless
