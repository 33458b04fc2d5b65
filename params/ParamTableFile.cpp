#include "params/ParamTableFile.h"

#include <cerrno>

#include "app/FileHelpers.h"
#include "app/IniFile.h"
#include "app/NumberText.h"
#include "app/TextFile.h"
#include "params/MenuParamTable.h"
#include "params/OperatorReport.h"
#include "protocol/CommLog.h"

namespace {

constexpr size_t kItemFieldCount = 12;

// The text between the first "{" of a line and the next "}", without further "{" characters;
// false when the line holds no complete item.
bool BracedText(const std::string& line, std::string& text) {
    size_t open = line.find('{');
    if (open == std::string::npos) return false;
    size_t close = line.find('}', open + 1);
    if (close == std::string::npos) return false;
    text.clear();
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] != '{') text += line[i];
    }
    return true;
}

SResult ReportUnreadable(const std::string& path, int error, OperatorReport* report) {
    SResult unreadable = SResult::Failure(
        ResultCode::kModelNotLoaded,
        error == EINVAL ? Reason<ReasonId::kNotRegularFile>(path)
                        : Reason<ReasonId::kPathError>(path, GetSystemErrorText(error)),
        error);
    if (report) report->ShowReason(unreadable.reason);
    WriteLog(unreadable.message + "\n");
    return unreadable;
}

}  // namespace

bool ParseItemLine(const std::string& text, CMenuParamItem& item) {
    std::vector<std::string> fields;
    SplitString(text, ',', fields);
    if (fields.size() != kItemFieldCount) return false;

    item.name = TrimWhiteSpace(fields[0]);
    if (!ScanDecimalInt(fields[3], item.scaleScript)) return false;
    item.scaleText = fields[4];
    if (!ScanDecimalInt(fields[7], item.writable)) return false;
    if (!ScanDecimalInt(fields[8], item.writeMode)) return false;
    if (!ScanDecimalInt(fields[9], item.number)) return false;
    if (!ScanDecimalInt(fields[10], item.condition)) return false;
    if (item.condition == 1) item.conditionText = fields[11];
    return item.readCommand.Parse(fields[1]) && item.writeCommand.Parse(fields[2]) &&
           item.writeEnterList.Parse(fields[5]) && item.writeLeaveList.Parse(fields[6]);
}

SResult ReadParamList(const std::string& path, CMenuParamTable& table, OperatorReport* report) {
    std::string text;
    if (!ReadTextFile(path, text)) return ReportUnreadable(path, errno, report);
    bool inList = false;
    bool added = false;
    size_t skipped = 0;
    std::string braced;
    ForEachLine(text, [&](const std::string& raw) {
        const std::string line = TrimWhiteSpace(raw);
        if (line.empty() || line[0] == ';') return;
        if (!inList) {
            inList = EqualsNoCase(line, "[ParamList]");
            return;
        }
        // Lines without a brace belong to the routine sections; one with a brace is meant as an
        // item, and losing it unannounced would leave a parameter out of every set.
        if (line.find('{') == std::string::npos) return;
        CMenuParamItem item;
        if (BracedText(line, braced) && ParseItemLine(braced, item) &&
            table.AddItem(std::move(item)))
            added = true;
        else
            ++skipped;
    });
    if (skipped > 0) {
        const SReason said = Reason<ReasonId::kItemLinesSkipped>(std::to_string(skipped), path);
        if (report) report->ShowReason(said);
        WriteLog(English(said) + "\n");
    }
    if (!inList)
        return SResult::Failure(ResultCode::kModelNotLoaded, Reason<ReasonId::kNoParamList>(path));
    if (!added)
        return SResult::Failure(ResultCode::kModelNotLoaded, Reason<ReasonId::kNoValidItem>(path));
    return SResult::Success();
}

void ReadOrderSection(const IniFile& profile, const std::string& section,
                      std::vector<uint16_t>& order) {
    // The whole section is used: a fixed section buffer would silently cut a long order and leave
    // parameters out of every whole-set operation.
    for (const std::string& entry : profile.SectionEntries(section)) {
        if (!entry.empty() && entry[0] == ';') continue;
        int32_t number;
        if (ScanDecimalInt(entry, number)) order.push_back(static_cast<uint16_t>(number));
    }
}
