#include "sim/MemoryModel.h"

#include "app/FileHelpers.h"
#include "app/IniFile.h"
#include "app/NumberText.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const Entries& Section(const SimProfile& profile, const std::string& name) {
    static const Entries kNone;
    auto found = profile.MemorySections.find(name);
    return found == profile.MemorySections.end() ? kNone : found->second;
}

std::string Setting(const Entries& entries, const std::string& key) {
    for (const auto& [name, value] : entries) {
        if (EqualsNoCase(name, key)) return value;
    }
    return "";
}

std::set<std::string> CommandSet(const std::string& list) {
    std::vector<std::string> pieces;
    SplitString(list, ',', pieces);
    std::set<std::string> commands;
    for (const std::string& piece : pieces) {
        std::string command = TrimWhiteSpace(piece);
        if (!command.empty()) commands.insert(command);
    }
    return commands;
}

bool Matches(const std::set<std::string>& commands, const SimCommand& command) {
    return commands.count(command.Text()) > 0;
}

bool SameProtocol(const CMenuCmdItem& item, const SimCommand& command) {
    return item.IsAtFrame() == (command.Protocol == SimProtocol::At);
}

}  // namespace

bool HasMemory(const SimProfile& profile) { return profile.MemorySections.count("memory") > 0; }

bool MemoryModel::Load(const SimProfile& profile, std::string& error) {
    if (!HasMemory(profile)) {
        error = "the profile has no [Memory] section";
        return false;
    }
    const Entries& memory = Section(profile, "memory");
    std::string tablePath = FindModelFile(Setting(memory, "Table"));
    table_.Clear();
    if (tablePath.empty() || !table_.Load(tablePath)) {
        error = "cannot load the parameter table \"" + Setting(memory, "Table") + "\"";
        return false;
    }
    enter_ = CommandSet(Setting(memory, "WriteModeEnter"));
    leave_ = CommandSet(Setting(memory, "WriteModeLeave"));
    silent_ = CommandSet(Setting(memory, "Silent"));

    initial_.clear();
    for (size_t i = 0; i < table_.GetCount(); ++i) initial_.emplace(table_.GetItem(i)->number, 0);
    for (const auto& [key, value] : Section(profile, "values")) {
        int32_t number, initial;
        if (!ScanDecimalInt(key, number) || !ScanDecimalInt(value, initial)) {
            error = "bad initial value " + key + "=" + value;
            return false;
        }
        initial_[number] = initial;
    }
    ranges_.clear();
    for (const auto& [key, value] : Section(profile, "ranges")) {
        int32_t number;
        Range range;
        size_t comma = value.find(',');
        if (!ScanDecimalInt(key, number) || comma == std::string::npos ||
            !ScanDecimalInt(value.substr(0, comma), range.low) ||
            !ScanDecimalInt(value.substr(comma + 1), range.high)) {
            error = "bad range " + key + "=" + value;
            return false;
        }
        ranges_[number] = range;
    }
    return true;
}

const CMenuParamItem* MemoryModel::FindRead(const SimCommand& command) const {
    const std::string text = command.Text();
    for (size_t i = 0; i < table_.GetCount(); ++i) {
        const CMenuParamItem* item = table_.GetItem(i);
        if (SameProtocol(item->readCommand, command) && item->readCommand.commandText == text) {
            return item;
        }
    }
    return nullptr;
}

const CMenuParamItem* MemoryModel::FindWrite(const SimCommand& command) const {
    const std::string text = command.Text();
    const CMenuParamItem* best = nullptr;
    for (size_t i = 0; i < table_.GetCount(); ++i) {
        const CMenuParamItem* item = table_.GetItem(i);
        const std::string& prefix = item->writeCommand.commandText;
        if (!SameProtocol(item->writeCommand, command) || text.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        if (!best || prefix.size() > best->writeCommand.commandText.size()) best = item;
    }
    return best;
}

bool MemoryModel::IsWriteModeEnter(const SimCommand& command) const {
    return Matches(enter_, command);
}

bool MemoryModel::IsWriteModeLeave(const SimCommand& command) const {
    return Matches(leave_, command);
}

bool MemoryModel::IsSilent(const SimCommand& command) const {
    return Matches(silent_, command) || silent_.count(command.Code) > 0;
}

bool MemoryModel::InRange(int32_t number, int32_t value) const {
    auto found = ranges_.find(number);
    return found == ranges_.end() || (value >= found->second.low && value <= found->second.high);
}
