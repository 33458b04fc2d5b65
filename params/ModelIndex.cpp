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

// The first entry (key, table file, display name) of the index for which `matches` is true,
// searched from the top up to the "ENDOFTABLE" line; false when none is or the file cannot be
// read.
template <class Matches>
bool FindIndexEntry(const std::string& indexPath, Matches matches,
                    std::vector<std::string>& fields) {
    std::string text;
    if (!ReadTextFile(indexPath, text)) return false;
    bool done = false;
    bool found = false;
    ForEachLine(text, [&](std::string line) {
        if (done) return;
        // A CR LF file read on this platform leaves the CR, which text mode would have removed.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        std::vector<std::string> entry;
        SplitString(line, ',', entry);
        if (entry.size() < 2) return;
        done = UpperCase(entry[0]) == "ENDOFTABLE";
        if (done || entry.size() < 3 || !matches(entry)) return;
        fields = std::move(entry);
        done = found = true;
    });
    return found;
}

}  // namespace

bool LookupModelIndex(const std::string& indexPath, const std::string& key, std::string& tablePath,
                      std::string& modelName) {
    std::vector<std::string> fields;
    if (!FindIndexEntry(
            indexPath, [&](const std::vector<std::string>& entry) { return entry[0] == key; },
            fields))
        return false;
    tablePath = FindModelFile(fields[1]);
    modelName = fields[2];
    return true;
}

bool IsSafeModelPrefix(const std::string& prefix) {
    for (unsigned char c : prefix)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    return prefix != "." && prefix != "..";
}

std::string FindTableOfModel(const std::string& modelName) {
    const std::string prefix = modelName.substr(0, 4);
    if (prefix.empty() || !IsSafeModelPrefix(prefix)) return {};
    const std::string indexPath = FindModelFile(prefix + ".tbl");
    std::vector<std::string> fields;
    if (indexPath.empty() ||
        !FindIndexEntry(
            indexPath, [&](const std::vector<std::string>& entry) { return entry[2] == modelName; },
            fields))
        return {};
    return FindModelFile(fields[1]);
}
