#include "script/KeywordTable.h"

#include <array>

#include "script/ScriptLiterals.h"

namespace {

struct KeywordEntry {
    const char* name;
    int32_t operands;
};

// Indexed by statement code; entry 0 matches no keyword.
constexpr std::array<KeywordEntry, 25> kKeywords{
    {{"", -1},     {"COMMTYPEREAD", 8}, {"COMMREAD", 9}, {"COMMWRITE", -1}, {"ISCMDOK", 1},
     {"JMP", 1},   {"STONUM", 2},       {"NUMTOS", 3},   {"STORE", 2},      {"ADD", 2},
     {"SUB", 2},   {"MUL", 2},          {"DIV", 2},      {"SHL", 2},        {"SHR", 2},
     {"AND", 2},   {"OR", 2},           {"XOR", 2},      {"NOT", 2},        {"IF", 5},
     {"SLEFT", 3}, {"SRIGHT", 3},       {"SMID", 4},     {"SJOIN", 2},      {"RET", 1}}};

}  // namespace

int32_t CKeywordTable::Lookup(const std::string& keyword) const {
    if (keyword.empty()) return kCodeUnset;
    for (size_t code = 1; code < kKeywords.size(); ++code) {
        if (EqualsIgnoringCase(keyword, kKeywords[code].name)) return static_cast<int32_t>(code);
    }
    return kCodeUnset;
}

int32_t CKeywordTable::OperandCount(int32_t code) const {
    if (code < 1 || code >= static_cast<int32_t>(kKeywords.size())) return -1;
    return kKeywords[static_cast<size_t>(code)].operands;
}
