#include "app/MessageTable.h"

#include <cstdio>

#include "app/IniFile.h"
#include "app/ProfileMgr.h"
#include "app/ProfileString.h"

bool CMessageTable::Load(const std::string& file, const std::string& section, int count) {
    if (file.empty() || section.empty()) return false;
    CProfileMgr profile;
    if (!profile.FileExists(file)) return false;
    // One read of the file instead of one per key; the values are those the service would give.
    IniFile ini;
    ini.Load(file);
    messages_.clear();
    for (int i = 0; i < count; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%03d", i);
        messages_.push_back(ini.GetString(section, key, "", kProfileValueBufferSize));
    }
    return true;
}

std::string CMessageTable::Get(uint16_t number) const {
    return number < messages_.size() ? messages_[number] : std::string();
}
