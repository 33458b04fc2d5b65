#include "params/MenuCmdList.h"

#include "app/FileHelpers.h"

bool CMenuCmdList::Parse(const std::string& text) {
    std::vector<std::string> fields;
    SplitString(text, ';', fields);
    if (groupSize == 0 || fields.size() % groupSize != 0) return false;
    if (fields.size() / groupSize > kMaxCommands) return false;
    Clear();
    for (size_t first = 0; first < fields.size(); first += groupSize) {
        std::string group = fields[first];
        for (size_t i = first + 1; i < first + groupSize; ++i) group += ";" + fields[i];
        CMenuCmdItem command(5);
        if (!command.Parse(group)) return false;
        m_commands.push_back(std::move(command));
    }
    return true;
}

bool CMenuCmdList::Add(const CMenuCmdItem& command) {
    if (m_commands.size() >= kMaxCommands) return false;
    m_commands.push_back(command);
    return true;
}

const CMenuCmdItem* CMenuCmdList::GetAt(size_t position) const {
    return position < m_commands.size() ? &m_commands[position] : nullptr;
}
