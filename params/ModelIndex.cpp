#include "params/ModelIndex.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <vector>

#include "app/FileHelpers.h"
#include "app/Folders.h"

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool LookupModelIndex(const std::string& indexPath, const std::string& key, std::string& tablePath,
                      std::string& modelName) {
    std::ifstream file(indexPath, std::ios::binary);
    if (!file) return false;
    std::string line;
    std::vector<std::string> fields;
    while (std::getline(file, line)) {
        // A CR LF file read on this platform leaves the CR, which text mode would have removed.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        SplitString(line, ',', fields);
        if (fields.size() < 2) continue;
        if (UpperCase(fields[0]) == "ENDOFTABLE") return false;
        if (fields.size() < 3 || fields[0] != key) continue;
        tablePath = FindModelFile(fields[1]);
        modelName = fields[2];
        return true;
    }
    return false;
}
