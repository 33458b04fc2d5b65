#include "app/FolderRule.h"

#include "app/Folders.h"

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// The extra models of the shared data folder, after the program folder's own.
void AddSharedModels(const SFolderFacts& facts, std::vector<std::string>& models) {
    if (!facts.dataFolder.empty())
        models.push_back(WithSlash(facts.dataFolder) + kModelDataFolderName + "/");
}

}  // namespace

std::string UserConfigFolder(const std::string& configHome, const std::string& userHome) {
    if (IsAbsolute(configHome)) return WithSlash(configHome) + kUserConfigFolderName + "/";
    if (IsAbsolute(userHome)) return WithSlash(userHome) + ".config/" + kUserConfigFolderName + "/";
    return std::string();
}

SFolders ChooseFolders(const SFolderFacts& facts) {
    SFolders folders;
    std::string program = facts.homeFolder;
    if (program.empty() && facts.executableFolderHoldsConfig) program = facts.executableFolder;
    if (!program.empty()) {
        program = WithSlash(program);
        folders.shipped = folders.site = folders.log = program;
        folders.models.push_back(program);
        AddSharedModels(facts, folders.models);
        return folders;
    }
    folders.shipped = WithSlash(facts.dataFolder);
    folders.site = UserConfigFolder(facts.configHome, facts.userHome);
    // A site's own model overrides the shipped one of the same name.
    for (const std::string& folder : {folders.site, folders.shipped})
        if (!folder.empty()) folders.models.push_back(folder);
    AddSharedModels(facts, folders.models);
    return folders;
}
