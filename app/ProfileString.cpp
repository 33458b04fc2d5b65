#include "app/ProfileString.h"

#include "app/IniFile.h"
#include "app/NumberText.h"

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultText,
                             size_t bufferSize) {
    IniFile ini;
    ini.Load(file);  // a file that cannot be read has no keys
    return ini.GetString(section, key, defaultText, bufferSize);
}

int32_t GetProfileInt(const std::string& file, const std::string& section, const std::string& key,
                      int32_t defaultValue) {
    const std::string text = GetProfileString(file, section, key);
    if (text.empty()) return defaultValue;
    int32_t value = 0;
    return ScanDecimalInt(text, value) ? value : 0;
}

std::string GetProfileSection(const std::string& file, const std::string& section,
                              size_t bufferSize) {
    if (bufferSize < 2) return std::string(bufferSize, '\0');
    IniFile ini;
    ini.Load(file);
    std::string raw;
    // Entries are gathered only while they fit, so a huge section costs no more than the buffer.
    ini.ForEachEntry(section, [&](const IniFile::Entry& entry) {
        raw += entry.key;
        if (entry.hasValue) {
            raw += '=';
            raw += entry.value;
        }
        raw += '\0';
        return raw.size() < bufferSize;
    });
    raw += '\0';
    if (raw.size() > bufferSize) {
        raw.resize(bufferSize - 2);
        raw += std::string(2, '\0');
    }
    return raw;
}
