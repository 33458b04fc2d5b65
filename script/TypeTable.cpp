#include "script/TypeTable.h"

#include <array>

#include "script/VarItem.h"

namespace {

struct TypeEntry {
    const char* name;
    int32_t code;
};

constexpr std::array<TypeEntry, 8> kTypes{{{"INT", kTypeInt},
                                           {"SHORT", kTypeShort},
                                           {"WORD", kTypeWord},
                                           {"LONG", kTypeLong},
                                           {"DWORD", kTypeDword},
                                           {"BYTE", kTypeByte},
                                           {"CHAR", kTypeChar},
                                           {"STRING", kTypeString}}};

}  // namespace

int32_t CTypeTable::Lookup(const std::string& name) const {
    for (const TypeEntry& entry : kTypes) {
        if (name == entry.name) return entry.code;
    }
    return kTypeNone;
}
