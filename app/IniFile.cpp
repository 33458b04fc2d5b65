#include "app/IniFile.h"

#include <algorithm>
#include <cctype>

#include "app/Folders.h"
#include "app/TextFile.h"

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string TrimWhiteSpace(const std::string& text) { return std::string(TrimView(text)); }

bool IniFile::Load(const std::string& path) {
    m_text.clear();
    return ReadTextFile(ResolveInModuleFolder(path), m_text);
}

void IniFile::ForEachEntry(const std::string& section,
                           const std::function<bool(const Entry&)>& onEntry) const {
    const std::string_view text(m_text);
    bool inSection = section.empty();  // entries before the first header have no section name
    bool seen = inSection;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        const std::string_view line = TrimView(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                if (seen) return;  // only the first section of a name counts
                inSection = seen = EqualsNoCase(TrimView(line.substr(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection) continue;
        const size_t equals = line.find('=');
        const Entry entry =
            equals == std::string_view::npos
                ? Entry{line, {}, false}
                : Entry{TrimView(line.substr(0, equals)), TrimView(line.substr(equals + 1)), true};
        if (!onEntry(entry)) return;
    }
}

std::optional<std::string> IniFile::Find(const std::string& section, const std::string& key) const {
    std::optional<std::string> value;
    ForEachEntry(section, [&](const Entry& entry) {
        if (!EqualsNoCase(entry.key, key)) return true;
        if (entry.hasValue) value = std::string(entry.value);
        return false;
    });
    return value;
}

std::string IniFile::GetString(const std::string& section, const std::string& key,
                               const std::string& defaultText, size_t bufferSize) const {
    std::string result = Find(section, key).value_or(defaultText);
    result.resize(std::min(result.size(), bufferSize > 0 ? bufferSize - 1 : 0));
    return result;
}

std::vector<std::string> IniFile::SectionEntries(const std::string& section) const {
    std::vector<std::string> entries;
    ForEachEntry(section, [&](const Entry& entry) {
        std::string text(entry.key);
        if (entry.hasValue) text += "=" + std::string(entry.value);
        entries.push_back(std::move(text));
        return true;
    });
    return entries;
}
