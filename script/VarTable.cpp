#include "script/VarTable.h"

bool CVarTable::Add(const std::string& name, int32_t type) {
    if (type < kTypeInt || type > kTypeString || m_items.count(name) != 0) return false;
    auto item = std::make_unique<CVarItem>();
    if (type == kTypeString)
        item->SetStringVar(name, "");
    else
        item->Set(name, type, 0);
    m_items.emplace(name, std::move(item));
    return true;
}

CVarItem* CVarTable::Lookup(const std::string& name) const {
    auto found = m_items.find(name);
    return found == m_items.end() ? nullptr : found->second.get();
}

bool CVarTable::IsOfType(const std::string& name, int32_t type) const {
    const CVarItem* item = Lookup(name);
    return item != nullptr && item->Type() == type;
}
