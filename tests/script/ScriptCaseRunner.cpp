#include "ScriptCaseRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

bool TakePrefix(std::string& text, const std::string& prefix) {
    if (text.rfind(prefix, 0) != 0) return false;
    text.erase(0, prefix.size());
    return true;
}

}  // namespace

ScriptCase ReadScriptCase(const std::string& path) {
    ScriptCase result;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!TakePrefix(line, "#! ")) {
            if (!line.empty()) result.lines.push_back(line);
            continue;
        }
        if (TakePrefix(line, "load ")) {
            result.loadOk = line == "ok";
        } else if (TakePrefix(line, "error ")) {
            result.errors.push_back(line);
        } else if (TakePrefix(line, "run ")) {
            result.runOk = line == "ok";
        } else if (TakePrefix(line, "var ")) {
            const size_t equals = line.find(" = ");
            result.vars.emplace_back(line.substr(0, equals), line.substr(equals + 3));
        } else if (TakePrefix(line, "ret ")) {
            result.ret = line;
        }
    }
    return result;
}

std::vector<std::string> ListScriptCases(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".vxs") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ScriptCaseFolder() { return VEXA_SCRIPT_CASES_DIR; }
