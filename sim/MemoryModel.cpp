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
    m_table.Clear();
    if (tablePath.empty() || !m_table.Load(tablePath).Ok()) {
        error = "cannot load the parameter table \"" + Setting(memory, "Table") + "\"";
        return false;
    }
    m_controls.clear();
    const std::pair<const char*, Control> lists[] = {{"WriteModeEnter", Control::WriteModeEnter},
                                                     {"WriteModeLeave", Control::WriteModeLeave},
                                                     {"RunStop", Control::RunStop},
                                                     {"RunStart", Control::RunStart},
                                                     {"Store", Control::Store}};
    for (const auto& [key, control] : lists) {
        for (const std::string& command : CommandSet(Setting(memory, key))) {
            // A command in two lists would leave the unit's state to the order of these.
            if (!m_controls.emplace(command, control).second) {
                error = "command " + command + " is in two of the control lists";
                return false;
            }
        }
    }
    m_silent = CommandSet(Setting(memory, "Silent"));

    m_initial.clear();
    for (size_t i = 0; i < m_table.GetCount(); ++i)
        m_initial.emplace(m_table.GetItem(i)->number, 0);
    for (const auto& [key, value] : Section(profile, "values")) {
        int32_t number, initial;
        if (!ScanDecimalInt(key, number) || !ScanDecimalInt(value, initial)) {
            error = "bad initial value " + key + "=" + value;
            return false;
        }
        m_initial[number] = initial;
    }
    m_ranges.clear();
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
        m_ranges[number] = range;
    }
    return true;
}

const CMenuParamItem* MemoryModel::FindRead(const SimCommand& command) const {
    const std::string text = command.Text();
    for (size_t i = 0; i < m_table.GetCount(); ++i) {
        const CMenuParamItem* item = m_table.GetItem(i);
        if (SameProtocol(item->readCommand, command) && item->readCommand.commandText == text) {
            return item;
        }
    }
    return nullptr;
}

const CMenuParamItem* MemoryModel::FindWrite(const SimCommand& command) const {
    const std::string text = command.Text();
    const CMenuParamItem* best = nullptr;
    for (size_t i = 0; i < m_table.GetCount(); ++i) {
        const CMenuParamItem* item = m_table.GetItem(i);
        const std::string& prefix = item->writeCommand.commandText;
        if (!SameProtocol(item->writeCommand, command) ||
            text.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        if (!best || prefix.size() > best->writeCommand.commandText.size()) best = item;
    }
    return best;
}

MemoryModel::Control MemoryModel::FindControl(const SimCommand& command) const {
    auto found = m_controls.find(command.Text());
    return found == m_controls.end() ? Control::None : found->second;
}

bool MemoryModel::IsSilent(const SimCommand& command) const {
    return m_silent.count(command.Text()) > 0 || m_silent.count(command.Code) > 0;
}

bool MemoryModel::InRange(int32_t number, int32_t value) const {
    auto found = m_ranges.find(number);
    return found == m_ranges.end() || (value >= found->second.low && value <= found->second.high);
}
