#include "params/ModelIndex.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/FileHelpers.h"
#include "app/Folders.h"
#include "app/TextFile.h"

namespace {

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

bool LookupModelIndex(const std::string& indexPath, const std::string& key, std::string& tablePath,
                      std::string& modelName) {
    std::string text;
    if (!ReadTextFile(indexPath, text)) return false;
    std::vector<std::string> fields;
    bool done = false;
    bool found = false;
    ForEachLine(text, [&](std::string line) {
        if (done) return;
        // A CR LF file read on this platform leaves the CR, which text mode would have removed.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        SplitString(line, ',', fields);
        if (fields.size() < 2) return;
        done = UpperCase(fields[0]) == "ENDOFTABLE";
        if (done || fields.size() < 3 || fields[0] != key) return;
        tablePath = FindModelFile(fields[1]);
        modelName = fields[2];
        done = found = true;
    });
    return found;
}
