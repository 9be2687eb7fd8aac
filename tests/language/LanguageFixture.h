// Program-folder set-ups for the language and start-up tests: a clean settings file and small
// encoded language files.
#pragma once

#include "base/Ini.h"
#include "language/Language.h"
#include "packs/PackEncoder.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <string>
#include <vector>

namespace langtest {

// The full path of `name` in the program folder.
inline std::string programPath(const std::string& name) {
    return platform::programFolder() + "\\" + name;
}

inline bool exists(const std::string& name) {
    std::uint32_t attributes = 0;
    return platform::getAttributes(programPath(name), attributes) == platform::kOk;
}

inline std::uint32_t attributesOf(const std::string& name) {
    std::uint32_t attributes = 0;
    platform::getAttributes(programPath(name), attributes);
    return attributes;
}

inline std::string fileText(const std::string& name) {
    std::string bytes;
    platform::readFile(programPath(name), bytes);
    return bytes;
}

inline void removeFile(const std::string& name) {
    platform::setAttributes(programPath(name), platform::kAttrNormal);
    platform::deleteFile(programPath(name));
}

// The program folder as a test needs it: no settings file, no language state, and every file the
// test planted gone again afterwards (the settings file as it was before).
class ProgramFolder {
  public:
    ProgramFolder() {
        hadSettings = platform::readFile(programPath("Tarvex.ini"), savedSettings) == platform::kOk;
        removeFile("Tarvex.ini");
        RemoveLangFile();
    }
    ~ProgramFolder() {
        RemoveLangFile();
        for (const std::string& name : planted) {
            removeFile(name);
        }
        removeFile("Tarvex.ini");
        if (hadSettings) {
            platform::writeFile(programPath("Tarvex.ini"), savedSettings);
        }
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Writes the encoded language file `<language>.lng` holding `entries` (one "id=text" line
    // each) in section "Language"; its decoded copy is removed at the end too.
    void addLanguage(const std::string& language, const std::vector<std::string>& entries) {
        std::string plain = "[Language]\r\n";
        for (const std::string& entry : entries) {
            plain += entry + "\r\n";
        }
        plant(language + ".lng", *packs::encodePack(plain, packs::PackMethod::Huffman));
        planted.push_back(language + ".dlf");
    }

    // Writes `bytes` as the file `name`; it is removed at the end.
    void plant(const std::string& name, const std::string& bytes) {
        platform::writeFile(programPath(name), bytes);
        planted.push_back(name);
    }

    // Names a file the program is expected to make, so it is removed at the end.
    void expect(const std::string& name) { planted.push_back(name); }

    // Stores `language` as the current language.
    static void choose(const std::string& language) {
        WriteIni("Tarvex.ini", "LANGUAGE", "CurrentLanguage", language);
    }

  private:
    bool hadSettings = false;
    std::string savedSettings;
    std::vector<std::string> planted;
};

} // namespace langtest
