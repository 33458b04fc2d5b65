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
