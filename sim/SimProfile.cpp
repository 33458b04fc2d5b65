#include "sim/SimProfile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/UnitRanges.h"

namespace {

constexpr std::streamsize kMaxProfileBytes = 1 << 20;

std::string Trim(const std::string& text) {
    const auto isBlank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Quadrel command codes are hex: "0a01" and "0A01" name the same command.
std::string QuadrelKey(std::string key) {
    for (size_t i = 0; i < key.size() && i < 4; ++i)
        key[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[i])));
    return key;
}

}  // namespace

bool ParseUnitList(const std::string& text, std::vector<int>& units, std::string& error) {
    std::string compact = text;
    std::erase_if(compact, [](unsigned char c) { return std::isspace(c) != 0; });
    std::vector<int> parsed;
    if (!ParseUnitRanges(compact, parsed, error)) return false;
    units = parsed;
    return true;
}

bool ParseSimProfile(const std::string& text, SimProfile& profile, std::string& error) {
    std::stringstream lines(text);
    std::string line;
    std::string section;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = Trim(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        const auto fail = [&](const std::string& why) {
            error = "profile line " + std::to_string(number) + ": " + why;
            return false;
        };
        if (line.front() == '[') {
            if (line.back() != ']') return fail("section name without closing \"]\"");
            section = Lower(Trim(line.substr(1, line.size() - 2)));
            if (section != "sim" && section != "quadrel" && section != "at" &&
                section != "memory" && section != "values" && section != "ranges")
                return fail("unknown section [" + section + "]");
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos || section.empty())
            return fail("expected KEY=VALUE inside a section");
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (section == "memory" || section == "values" || section == "ranges") {
            profile.MemorySections[section].emplace_back(key, value);
        } else if (section == "quadrel") {
            profile.QuadrelAnswers[QuadrelKey(key)] = value;
        } else if (section == "at") {
            profile.AtAnswers[key] = value;
        } else if (Lower(key) == "model") {
            profile.ModelText = value;
        } else if (Lower(key) == "units") {
            std::string why;
            if (!ParseUnitList(value, profile.Units, why)) return fail(why);
        } else {
            return fail("unknown key " + key);
        }
    }
    return true;
}

bool LoadSimProfile(const std::string& path, SimProfile& profile, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open profile " + path;
        return false;
    }
    std::string text(kMaxProfileBytes + 1, '\0');
    file.read(text.data(), kMaxProfileBytes + 1);
    if (file.gcount() > kMaxProfileBytes) {
        error = "profile " + path + " is larger than 1 MiB";
        return false;
    }
    text.resize(static_cast<size_t>(file.gcount()));
    return ParseSimProfile(text, profile, error);
}
