#include "script/VarItem.h"

void CVarItem::Reset() {
    m_name.clear();
    m_type = kTypeNone;
    m_number = 0;
    m_text.clear();
}

void CVarItem::Set(const std::string& name, int32_t type, uint32_t number) {
    Reset();
    m_name = name;
    if (HoldsNumber(type)) m_number = number;
    m_type = type;
}

void CVarItem::SetStringVar(const std::string& name, const std::string& text) {
    Reset();
    m_name = name;
    m_type = kTypeString;
    m_text = text;
}

// Same outcome as Set(own name, own type, number), without copying the name on every
// arithmetic statement.
void CVarItem::SetNumber(uint32_t number) {
    m_number = HoldsNumber(m_type) ? number : 0;
    m_text.clear();
}

void CVarItem::SetString(const std::string& text) {
    m_type = kTypeString;
    m_number = 0;
    m_text = text;
}
