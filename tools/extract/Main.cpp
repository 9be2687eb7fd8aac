// extract: unpacks a cabinet into a folder, or lists it, on the platform's cabinet reading.
//   extract [/y] [/e] [/l DEST] CABINET [NAME...]   extract every file (or the NAMEs) into DEST
//   extract /d CABINET                             list the files
// A DEST left unquoted may hold blanks: once the cabinet is named, every further word after /l
// belongs to DEST. Exits 0, silently, only when every file asked for was extracted (or listed);
// otherwise
// prints one line and exits 1 (2 for a command line it does not understand).
#include "platform/Cabinet.h"
#include "platform/Files.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct Request {
    bool list = false;
    bool overwrite = false;
    std::string cabinet;
    std::string destination = ".";
    std::vector<std::string> names;
};

bool isOption(const std::string& word, char letter) {
    return word.size() == 2 && (word[0] == '/' || word[0] == '-') &&
           (word[1] == letter || word[1] == letter - 'a' + 'A');
}

bool parse(int argc, char** argv, Request& request) {
    bool destinationWords = false;
    bool destinationGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (isOption(word, 'y')) {
            request.overwrite = true;
        } else if (isOption(word, 'e')) {
            // Every file is what extract does without names anyway.
        } else if (isOption(word, 'd')) {
            request.list = true;
        } else if (isOption(word, 'l')) {
            if (i + 1 >= argc) {
                return false;
            }
            request.destination = argv[++i];
            destinationGiven = true;
            destinationWords = !request.cabinet.empty();
        } else if (!word.empty() && word[0] == '/') {
            return false;
        } else if (destinationWords) {
            request.destination += " " + word;
        } else if (request.cabinet.empty()) {
            request.cabinet = word;
        } else {
            request.names.push_back(word);
        }
    }
    return !request.cabinet.empty() &&
           !(request.list && (destinationGiven || !request.names.empty()));
}

int fail(const std::string& message) {
    std::fprintf(stderr, "extract: %s\n", message.c_str());
    return kFailed;
}

std::string describe(platform::Error error) {
    switch (error) {
    case platform::kErrorFileNotFound:
    case platform::kErrorPathNotFound:
        return "not found";
    case platform::kErrorBadFormat:
        return "not a cabinet, or damaged";
    case platform::kErrorNotSupported:
        return "part of a multi-volume set, or no cabinet reader on this system";
    default:
        return "error " + std::to_string(error);
    }
}

std::string attributeLetters(std::uint32_t attributes) {
    std::string letters = "----";
    const char marks[] = "RHSA";
    const std::uint32_t bits[] = {platform::kAttrReadOnly, platform::kAttrHidden,
                                  platform::kAttrSystem, platform::kAttrArchive};
    for (int i = 0; i < 4; ++i) {
        if ((attributes & bits[i]) != 0) {
            letters[static_cast<std::size_t>(i)] = marks[i];
        }
    }
    return letters;
}

int list(const Request& request, const std::vector<platform::CabinetEntry>& entries) {
    for (const platform::CabinetEntry& entry : entries) {
        std::printf("%04d-%02d-%02d %02d:%02d:%02d %s %10llu %s\n", 1980 + (entry.dosDate >> 9),
                    (entry.dosDate >> 5) & 0x0F, entry.dosDate & 0x1F, entry.dosTime >> 11,
                    (entry.dosTime >> 5) & 0x3F, (entry.dosTime & 0x1F) * 2,
                    attributeLetters(entry.attributes).c_str(),
                    static_cast<unsigned long long>(entry.size), entry.path.c_str());
    }
    std::printf("%zu file(s) in %s\n", entries.size(), request.cabinet.c_str());
    return 0;
}

bool exists(const std::string& path) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(path, attributes) == platform::kOk;
}

} // namespace

int main(int argc, char** argv) {
    Request request;
    if (!parse(argc, argv, request)) {
        std::fprintf(stderr, "usage: extract [/y] [/e] [/l DEST] CABINET [NAME...] | extract /d "
                             "CABINET\n");
        return kUsage;
    }
    std::vector<platform::CabinetEntry> entries;
    const platform::Error listed = platform::listCabinet(request.cabinet, entries);
    if (listed != platform::kOk) {
        return fail(request.cabinet + ": " + describe(listed));
    }
    if (request.list) {
        return list(request, entries);
    }
    if (!exists(request.destination)) {
        return fail(request.destination + ": no such folder");
    }
    std::vector<std::string> wanted = request.names;
    if (wanted.empty()) {
        for (const platform::CabinetEntry& entry : entries) {
            wanted.push_back(entry.path);
        }
    }
    if (!request.overwrite) {
        for (const std::string& name : wanted) {
            if (exists(request.destination + "\\" + name)) {
                return fail(name + " exists in " + request.destination + "; /y replaces it");
            }
        }
    }
    std::size_t extracted = 0;
    if (request.names.empty()) {
        const platform::Error error =
            platform::extractCabinet(request.cabinet, request.destination, "", extracted);
        if (error != platform::kOk) {
            return fail(request.cabinet + ": " + describe(error) + " after " +
                        std::to_string(extracted) + " file(s)");
        }
    } else {
        for (const std::string& name : request.names) {
            std::size_t one = 0;
            const platform::Error error =
                platform::extractCabinet(request.cabinet, request.destination, name, one);
            if (error != platform::kOk || one == 0) {
                return fail(
                    name + ": " +
                    (error != platform::kOk ? describe(error) : std::string("not in the cabinet")));
            }
            extracted += one;
        }
    }
    if (extracted != wanted.size()) {
        return fail(std::to_string(wanted.size() - extracted) + " file(s) not extracted");
    }
    return 0;
}
