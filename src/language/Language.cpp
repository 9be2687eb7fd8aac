// Text lookup in the decoded copy of the chosen language file, decoded on the first lookup.
#include "language/Language.h"

#include "base/Ini.h"
#include "base/Settings.h"
#include "packs/Protection.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "winrules/WinPath.h"

#include <optional>

namespace {

// The language the lookups use; empty until the first lookup reads the setting. A name that was
// read stays set even when the setting held the empty text, so that a failing decode, whose error
// description is itself looked up, cannot start another decode.
std::optional<std::string>& currentLanguage() {
    static std::optional<std::string> name;
    return name;
}

std::string inProgramFolder(const std::string& fileName) {
    return platform::programFolder() + "\\" + fileName;
}

} // namespace

std::string GetLangString(const std::string& id) {
    std::optional<std::string>& language = currentLanguage();
    if (!language) {
        language = ReadIni(settings::kFile, settings::kSectionLanguage, settings::kCurrentLanguage,
                           settings::kMissing);
        // The setting names a file of the program folder; a name that would lead elsewhere
        // ("..\..\x") is no language: nothing is decoded or read there, and every text is "?".
        if (!winrules::isPlainFileName(*language)) {
            return settings::kMissing;
        }
        const std::string decoded = inProgramFolder(*language + ".dlf");
        clsProtection decoder;
        // A missing or damaged language file leaves no new copy; every text then reads "?" or
        // comes from whatever copy an earlier run left behind.
        decoder.DecodeFile(inProgramFolder(*language + ".lng"), decoded);
        platform::setAttributes(decoded, platform::kAttrHidden);
    }
    if (!winrules::isPlainFileName(*language)) {
        return settings::kMissing;
    }
    return ReadIni(*language + ".dlf", "Language", id, settings::kMissing);
}

void RemoveLangFile() {
    std::optional<std::string>& language = currentLanguage();
    if (language && winrules::isPlainFileName(*language)) {
        const std::string decoded = inProgramFolder(*language + ".dlf");
        // The copy is hidden; clearing its attributes first lets it go like any other file.
        platform::setAttributes(decoded, platform::kAttrNormal);
        platform::deleteFile(decoded);
    }
    language.reset();
}
