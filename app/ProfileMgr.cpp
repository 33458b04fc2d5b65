#include "app/ProfileMgr.h"

#include "app/Folders.h"
#include "app/ProfileString.h"

std::string CProfileMgr::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultText,
                                   const std::string& otherFile) const {
    return GetProfileString(Target(otherFile), section, key, defaultText);
}

bool CProfileMgr::FileExists(const std::string& otherFile) const {
    const std::string& name = Target(otherFile);
    return !name.empty() && PathExists(ResolveInModuleFolder(name));
}
