#include "app/SectionReader.h"

#include "app/IniFile.h"
#include "app/TextFile.h"

namespace {

bool IsHeader(const std::string& line) { return line.front() == '[' && line.back() == ']'; }

}  // namespace

bool ReadFileSection(const std::string& file, const std::string& section,
                     std::vector<std::string>& lines) {
    std::string text;
    if (!ReadTextFile(file, text)) return false;
    bool inSection = false;
    bool done = false;
    bool appended = false;
    ForEachLine(text, [&](const std::string& raw) {
        if (done) return;
        const std::string line = TrimWhiteSpace(raw);
        if (line.size() <= 2) return;
        if (IsHeader(line)) {
            done = inSection;
            inSection =
                line.compare(1, line.size() - 2, section) == 0 && line.size() - 2 == section.size();
            return;
        }
        if (inSection && line.front() != ';') {
            lines.push_back(line);
            appended = true;
        }
    });
    return appended;
}
