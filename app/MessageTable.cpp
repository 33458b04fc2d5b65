#include "app/MessageTable.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/IniFile.h"
#include "app/NumberText.h"
#include "app/ProfileMgr.h"
#include "app/ProfileString.h"
#include "app/Reason.h"

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The number n below `count` whose key "%03d" is `key`, or -1.
int NumberOfKey(std::string_view key, int count) {
    if (key.size() < 3 || key.size() > 9 || !std::all_of(key.begin(), key.end(), IsDigit)) {
        return -1;
    }
    int32_t number = 0;
    ScanDecimalInt(std::string(key), number);
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    return number < count && key == text ? number : -1;
}

}  // namespace

bool CMessageTable::Load(const std::string& file, const std::string& section, int count) {
    if (file.empty() || section.empty()) return false;
    CProfileMgr profile;
    if (!profile.FileExists(file)) return false;
    IniFile ini;
    ini.Load(file);
    m_messages.assign(static_cast<size_t>(std::max(count, 0)), std::string());
    std::vector<bool> found(m_messages.size(), false);
    // One pass over the section instead of one read per key; the first "%03d" key of a number
    // wins, as a read of that key would find it.
    ini.ForEachEntry(section, [&](const IniFile::Entry& entry) {
        const int number = NumberOfKey(entry.key, count);
        if (number >= 0 && !found[number]) {
            found[number] = true;
            if (entry.hasValue) {
                m_messages[number] = std::string(entry.value.substr(
                    0, std::min(entry.value.size(), kProfileValueBufferSize - 1)));
            }
        }
        return true;
    });
    return true;
}

std::string CMessageTable::Get(uint16_t number) const {
    return number < m_messages.size() ? m_messages[number] : std::string();
}

std::string CMessageTable::Format(uint16_t number, const std::vector<std::string>& values) const {
    return FillSentence(Get(number), values);
}

void CMessageTable::Overlay(const CMessageTable& translation) {
    const size_t shared = std::min(m_messages.size(), translation.m_messages.size());
    for (size_t n = 0; n < shared; ++n)
        if (!translation.m_messages[n].empty()) m_messages[n] = translation.m_messages[n];
}
