// Splitting script lines into words and checking each command's shape before the run starts.
#include "ui/headless/Script.h"

#include <cctype>
#include <sstream>

namespace ui::headless {

namespace {

// Longest virtual wait or tick count a script may ask for; keeps a typo from running for hours.
constexpr long kMaxCount = 100000000;

struct Shape {
    const char* verb;
    std::size_t minArgs;
    std::size_t maxArgs;
};

constexpr Shape kShapes[] = {
    {"tick", 0, 1},       {"wait", 1, 1},     {"click", 1, 1}, {"key", 2, 2},    {"select", 2, 2},
    {"select-add", 2, 2}, {"deselect", 2, 2}, {"type", 2, 2},  {"close", 1, 1},  {"answer", 1, 1},
    {"expect", 1, 4},     {"print", 1, 1},    {"show", 1, 1},  {"during", 1, 5},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Splits one line into words; a comment starts at a '#' that begins a word and is not followed by
// a digit (so "#0" stays a list position).
bool splitLine(const std::string& line, std::vector<Token>& words, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#' &&
            (i + 1 >= line.size() || !std::isdigit(static_cast<unsigned char>(line[i + 1])))) {
            break;
        }
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        token.text += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                token.text += line[i++];
            }
            if (!closed) {
                error = "a quoted string is not closed";
                return false;
            }
            if (i < line.size() && !isBlank(line[i])) {
                error = "a quoted string must be followed by a blank";
                return false;
            }
        } else {
            while (i < line.size() && !isBlank(line[i])) {
                token.text += line[i++];
            }
        }
        words.push_back(std::move(token));
    }
    return true;
}

// Checks the arguments a verb needs beyond their count; "" when they are fine.
std::string checkArgs(const Command& command) {
    const auto& args = command.args;
    long number = 0;
    if (command.verb == "tick" && !args.empty() &&
        !parseNumber(args[0].text, 1, kMaxCount, number)) {
        return "tick needs a positive number of ticks, not '" + args[0].text + "'";
    }
    if (command.verb == "wait" && !parseNumber(args[0].text, 0, kMaxCount, number)) {
        return "wait needs a number of milliseconds, not '" + args[0].text + "'";
    }
    if (command.verb == "answer") {
        const std::string& a = args[0].text;
        if (a != "Yes" && a != "No" && a != "OK") {
            return "answer must be Yes, No or OK, not '" + a + "'";
        }
    }
    if (command.verb == "expect") {
        const std::string& what = args[0].text;
        const bool single = what == "ended" || what == "running";
        const bool named =
            what == "loaded" || what == "not-loaded" || what == "msgbox" || what == "help";
        if (single && args.size() != 1) {
            return "expect " + what + " takes nothing more";
        }
        if (named && args.size() != 2) {
            return "expect " + what + " needs one more word";
        }
        if (!single && !named) {
            const bool contains = args.size() == 3 && args[1].text == "contains" && !args[1].quoted;
            if (args.size() != 2 && !contains) {
                return "expect needs a property and a value ('expect frmMain.cmdClean.enabled "
                       "true') or 'contains' and a text";
            }
        }
    }
    return "";
}

// Checks a whole command: a known verb, the right number of words, arguments of the right form;
// "" when it is fine.
std::string checkCommand(const Command& command, bool verbQuoted) {
    const Shape* shape = nullptr;
    for (const Shape& candidate : kShapes) {
        if (!verbQuoted && command.verb == candidate.verb) {
            shape = &candidate;
        }
    }
    if (shape == nullptr) {
        return "unknown command '" + command.verb + "'";
    }
    if (command.args.size() < shape->minArgs || command.args.size() > shape->maxArgs) {
        return "wrong number of words for '" + command.verb + "'";
    }
    if (command.verb == "during") {
        const Command inner = deferredCommand(command);
        if (inner.verb == "during" || inner.verb == "answer") {
            return "'during' cannot hold '" + inner.verb + "'";
        }
        return checkCommand(inner, command.args[0].quoted);
    }
    return checkArgs(command);
}

} // namespace

Command deferredCommand(const Command& during) {
    Command inner;
    inner.line = during.line;
    inner.source = during.source;
    if (!during.args.empty()) {
        inner.verb = during.args[0].text;
        inner.args.assign(during.args.begin() + 1, during.args.end());
    }
    return inner;
}

bool parseNumber(const std::string& text, long min, long max, long& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    long result = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    if (result < min || result > max) {
        return false;
    }
    value = result;
    return true;
}

std::string quote(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        result += c;
        if (c == '"') {
            result += '"';
        }
    }
    return result + "\"";
}

bool parseScript(const std::string& text, std::vector<Command>& commands, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::vector<Token> words;
        std::string problem;
        if (!splitLine(line, words, problem)) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        if (words.empty()) {
            continue;
        }
        Command command;
        command.line = number;
        command.verb = words[0].text;
        command.args.assign(words.begin() + 1, words.end());
        command.source = line;
        while (!command.source.empty() && isBlank(command.source.back())) {
            command.source.pop_back();
        }
        problem = checkCommand(command, words[0].quoted);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        commands.push_back(std::move(command));
    }
    return true;
}

} // namespace ui::headless
