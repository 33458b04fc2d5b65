#include "script/VarItem.h"

void CVarItem::Reset() {
    name_.clear();
    type_ = kTypeNone;
    number_ = 0;
    text_.clear();
}

void CVarItem::Set(const std::string& name, int32_t type, uint32_t number) {
    Reset();
    name_ = name;
    if (HoldsNumber(type)) number_ = number;
    type_ = type;
}

void CVarItem::SetStringVar(const std::string& name, const std::string& text) {
    Reset();
    name_ = name;
    type_ = kTypeString;
    text_ = text;
}

// Same outcome as Set(own name, own type, number), without copying the name on every
// arithmetic statement.
void CVarItem::SetNumber(uint32_t number) {
    number_ = HoldsNumber(type_) ? number : 0;
    text_.clear();
}

void CVarItem::SetString(const std::string& text) {
    type_ = kTypeString;
    number_ = 0;
    text_ = text;
}
