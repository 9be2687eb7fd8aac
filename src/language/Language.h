// Text lookup by id in the chosen language file, and removal of its decoded copy.
#pragma once

#include <string>

// The text of the four-digit `id` in the current language, or "?" when it cannot be found. The
// first lookup after start or after RemoveLangFile decodes the chosen ".lng" to a hidden ".dlf".
std::string GetLangString(const std::string& id);

// Deletes the decoded language file and forgets the language name, so the next lookup reads the
// setting and decodes afresh.
void RemoveLangFile();
