#include "app/CatalogueLanguage.h"

#include <cstdlib>

#include "app/ConfigFiles.h"

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

SLocaleVariables LocaleVariablesOfProcess() {
    return {Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

std::string MessageLanguage(const SLocaleVariables& locale) {
    // As the C library takes them: the first one that is set and not empty counts.
    const std::string& name = !locale.lcAll.empty()        ? locale.lcAll
                              : !locale.lcMessages.empty() ? locale.lcMessages
                                                           : locale.lang;
    size_t letters = 0;
    while (letters < name.size() && IsLower(name[letters])) ++letters;
    // Two or three letters, then the end or a territory, code set or modifier.
    if (letters < 2 || letters > 3) return "";
    if (letters < name.size() && name[letters] != '_' && name[letters] != '.' &&
        name[letters] != '@')
        return "";
    return name.substr(0, letters);
}

std::string CatalogueFileFor(const SLocaleVariables& locale,
                             const std::function<bool(const std::string&)>& exists) {
    const std::string language = MessageLanguage(locale);
    if (language.empty()) return kConfigFileName;
    const std::string translated = "VEXA." + language + ".cap";
    return exists(translated) ? translated : kConfigFileName;
}
