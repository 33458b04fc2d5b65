#pragma once

#include <functional>
#include <string>

// The catalogue in the operator's language, "VEXA.<language>.cap" beside "VEXA.cap".

// The locale variables that name the language of messages, as the process got them.
struct SLocaleVariables {
    std::string lcAll, lcMessages, lang;
};
SLocaleVariables LocaleVariablesOfProcess();

// The language the first variable set (LC_ALL, then LC_MESSAGES, then LANG) names by its
// leading lower-case letters ("de" of "de_DE.UTF-8"); "" for "C", "POSIX" or nothing set.
std::string MessageLanguage(const SLocaleVariables& locale);

// "VEXA.<language>.cap" when there is a language and `exists` finds that file, else "VEXA.cap".
std::string CatalogueFileFor(const SLocaleVariables& locale,
                             const std::function<bool(const std::string&)>& exists);
