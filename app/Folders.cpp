#include "app/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

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

}  // namespace

bool GetModuleFolder(std::string& folder) {
    if (!ModuleFolderOverride().empty()) {
        folder = ModuleFolderOverride();
        return true;
    }
    return ExecutableFolder(folder);
}

void SetModuleFolder(const std::string& folder) {
    ModuleFolderOverride() = folder.empty() ? std::string() : WithTrailingSlash(folder);
}

std::string GetCommonDataFolder() {
    if (!CommonDataFolderOverride().empty()) return CommonDataFolderOverride();
    return VEXA_SHARED_DATA_DIR;
}

void SetCommonDataFolder(const std::string& folder) { CommonDataFolderOverride() = folder; }

std::string ResolveInModuleFolder(const std::string& name) {
    if (!name.empty() && name.front() == '/') return name;
    std::string folder;
    if (!GetModuleFolder(folder)) return name;
    return folder + name;
}

bool PathExists(const std::string& path) {
    return !path.empty() && access(path.c_str(), F_OK) == 0;
}

std::string FindModelFile(const std::string& name) {
    // Model names come from the controller and the data files: none may climb out of the two
    // folders.
    if (name.empty() || HasParentStep(name)) return std::string();
    std::string folder;
    if (GetModuleFolder(folder) && PathExists(folder + name)) return folder + name;
    const std::string shared = GetCommonDataFolder() + "/" + kModelDataFolderName + "/" + name;
    if (PathExists(shared)) return shared;
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
