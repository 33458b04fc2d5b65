#include "serial/StablePortName.h"

#include <filesystem>

std::string StablePortName(const std::string& device, const std::string& byIdFolder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) return "";
    std::string found;
    for (fs::directory_iterator it(byIdFolder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code linkError;
        const std::string link = it->path().string();
        // The smallest name wins, so that two links to one device give the same answer each time.
        if (fs::canonical(it->path(), linkError) == target && !linkError &&
            (found.empty() || link < found))
            found = link;
    }
    return found;
}
