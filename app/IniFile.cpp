#include "app/IniFile.h"

#include <algorithm>
#include <cctype>

#include "app/Folders.h"
#include "app/TextFile.h"

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string TrimWhiteSpace(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) ++begin;
    while (end > begin && IsSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool IniFile::Load(const std::string& path) {
    sections_.clear();
    std::string text;
    if (!ReadTextFile(ResolveInModuleFolder(path), text)) return false;
    Parse(text);
    return true;
}

void IniFile::Parse(const std::string& text) {
    sections_.clear();
    sections_.push_back(Section{});  // entries before the first header
    ForEachLine(text, [this](const std::string& raw) {
        const std::string line = TrimWhiteSpace(raw);
        if (line.empty()) return;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos) {
                sections_.push_back(Section{TrimWhiteSpace(line.substr(1, close - 1)), {}});
                return;
            }
        }
        Entry entry;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            entry.key = line;
        } else {
            entry.key = TrimWhiteSpace(line.substr(0, equals));
            entry.value = TrimWhiteSpace(line.substr(equals + 1));
            entry.hasValue = true;
        }
        sections_.back().entries.push_back(std::move(entry));
    });
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
    for (const Section& section : sections_) {
        if (EqualsNoCase(section.name, name)) return &section;
    }
    return nullptr;
}

const std::string* IniFile::Find(const std::string& section, const std::string& key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return nullptr;
    for (const Entry& entry : found->entries) {
        if (EqualsNoCase(entry.key, key)) return entry.hasValue ? &entry.value : nullptr;
    }
    return nullptr;
}

std::vector<std::string> IniFile::SectionEntries(const std::string& section) const {
    std::vector<std::string> lines;
    const Section* found = FindSection(section);
    if (found == nullptr) return lines;
    for (const Entry& entry : found->entries) {
        lines.push_back(entry.hasValue ? entry.key + "=" + entry.value : entry.key);
    }
    return lines;
}

std::string IniFile::GetString(const std::string& section, const std::string& key,
                               const std::string& defaultText, size_t bufferSize) const {
    const std::string* value = Find(section, key);
    std::string result = value != nullptr ? *value : defaultText;
    result.resize(std::min(result.size(), bufferSize > 0 ? bufferSize - 1 : 0));
    return result;
}
