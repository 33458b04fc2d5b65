#include "app/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "app/ConfigFiles.h"
#include "app/FolderRule.h"

namespace {

std::string& ModuleFolderOverride() {
    static std::string folder;
    return folder;
}

std::string& CommonDataFolderOverride() {
    static std::string folder;
    return folder;
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool HasParentStep(const std::string& name) {
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find('/', start);
        if (name.compare(start, slash - start, "..") == 0) return true;
        if (slash == std::string::npos) return false;
        start = slash + 1;
    }
}

// mkdir -p: creates every missing folder of the absolute path `folder`.
bool MakeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ExecutableFolder(std::string& folder) {
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return false;
    const std::string exe(path.data(), static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    folder = WithTrailingSlash(slash == std::string::npos ? std::string() : exe.substr(0, slash));
    return true;
}

// The data folder as installed beside this executable: the relative step from the programs'
// folder to the data folder is fixed at build time, so a staged or moved tree finds its own data.
std::string InstalledDataFolder(const std::string& executableFolder) {
    if (executableFolder.empty()) return std::string();
    const std::string step = VEXA_DATA_FROM_BIN;
    std::string folder = executableFolder.substr(0, executableFolder.size() - 1);
    size_t start = 0;
    for (; step.compare(start, 3, "../") == 0; start += 3) {
        const size_t slash = folder.rfind('/');
        folder.erase(slash == std::string::npos ? 0 : slash);
    }
    return folder + "/" + step.substr(start);
}

std::string SharedDataFolder(const std::string& executableFolder) {
    return CommonDataFolderOverride().empty() ? InstalledDataFolder(executableFolder)
                                              : CommonDataFolderOverride();
}

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

SFolders CurrentFolders() {
    SFolderFacts facts;
    facts.homeFolder = ModuleFolderOverride();
    ExecutableFolder(facts.executableFolder);
    facts.executableFolderHoldsConfig =
        !facts.executableFolder.empty() && PathExists(facts.executableFolder + kConfigFileName);
    facts.dataFolder = SharedDataFolder(facts.executableFolder);
    facts.configHome = EnvironmentText("XDG_CONFIG_HOME");
    facts.userHome = EnvironmentText("HOME");
    return ChooseFolders(facts);
}

bool Answer(const std::string& found, std::string& folder) {
    if (found.empty()) return false;
    folder = found;
    return true;
}

std::string ResolveIn(const std::string& folder, const std::string& name) {
    if ((!name.empty() && name.front() == '/') || folder.empty()) return name;
    return folder + name;
}

}  // namespace

bool GetModuleFolder(std::string& folder) { return Answer(CurrentFolders().shipped, folder); }

void SetModuleFolder(const std::string& folder) {
    ModuleFolderOverride() = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

bool GetSiteFolder(std::string& folder) { return Answer(CurrentFolders().site, folder); }

bool GetLogFolder(std::string& folder) { return Answer(CurrentFolders().log, folder); }

std::string GetCommonDataFolder() {
    std::string executable;
    ExecutableFolder(executable);
    return SharedDataFolder(executable);
}

void SetCommonDataFolder(const std::string& folder) { CommonDataFolderOverride() = folder; }

std::string ResolveInModuleFolder(const std::string& name) {
    return ResolveIn(CurrentFolders().shipped, name);
}

std::string ResolveInSiteFolder(const std::string& name) {
    return ResolveIn(CurrentFolders().site, name);
}

bool PathExists(const std::string& path) {
    return !path.empty() && access(path.c_str(), F_OK) == 0;
}

std::string FindModelFile(const std::string& name) {
    // Model names come from the controller and the data files: none may climb out of the
    // folders searched.
    if (name.empty() || HasParentStep(name)) return std::string();
    for (const std::string& folder : CurrentFolders().models)
        if (PathExists(folder + name)) return folder + name;
    return std::string();
}

bool GetUserStateFolder(std::string& folder) {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    // The XDG rules ignore a relative XDG_STATE_HOME.
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else if (home != nullptr && home[0] == '/') {
        base = std::string(home) + "/.local/state";
    } else {
        return false;
    }
    const std::string candidate = base + "/vexa";
    if (!MakeFolders(candidate)) return false;
    folder = candidate + "/";
    return true;
}
