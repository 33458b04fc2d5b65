#include "app/ProfileMgr.h"

#include "app/Folders.h"
#include "app/ProfileString.h"

std::string CProfileMgr::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultText,
                                   const std::string& otherFile) const {
    return GetProfileString(Target(otherFile), section, key, defaultText);
}

std::string CProfileMgr::GetSection(const std::string& section, size_t bufferSize,
                                    const std::string& otherFile) const {
    return GetProfileSection(Target(otherFile), section, bufferSize);
}

bool CProfileMgr::FileExists(const std::string& otherFile) const {
    const std::string& name = Target(otherFile);
    return !name.empty() && PathExists(ResolveInModuleFolder(name));
}

int CProfileMgr::SectionToList(const std::string& rawSection, std::vector<std::string>& list) {
    list.clear();
    size_t pos = 0;
    while (pos < rawSection.size()) {
        size_t end = rawSection.find('\0', pos);
        if (end == std::string::npos) end = rawSection.size();
        if (end == pos) break;  // the empty string that ends the section
        if (rawSection[pos] != ';') list.push_back(rawSection.substr(pos, end - pos));
        pos = end + 1;
    }
    return static_cast<int>(list.size());
}
