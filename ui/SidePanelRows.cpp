#include "ui/SidePanelRows.h"

#include <map>

#include "app/MessageTable.h"
#include "params/MenuParamTable.h"
#include "ui/UiText.h"

namespace {

// Marks of plain ASCII, so that every font shows them.
const char* Mark(EParamStatus status) {
    switch (status) {
        case EParamStatus::Ok:
            return "";
        case EParamStatus::Absent:
            return "- ";
        case EParamStatus::NotInSet:
            return "? ";
        case EParamStatus::Failed:
            return "! ";
        case EParamStatus::Differs:
            return "<> ";
    }
    return "! ";
}

std::string Explanation(const CMenuParamItem& item, const SParamStatus& entry,
                        const CMessageTable& catalogue) {
    using namespace UiTextNumber;
    switch (entry.status) {
        case EParamStatus::Ok:
            return "";
        case EParamStatus::Absent:
            return catalogue.Get(kRowAbsent);
        case EParamStatus::NotInSet:
            return catalogue.Get(kRowNotInSet);
        case EParamStatus::Failed:
            return catalogue.Get(kRowFailed);
        case EParamStatus::Differs:
            return catalogue.Format(kRowDiffers, {item.SetValueDisplayText(item.setValue),
                                                  item.SetValueDisplayText(entry.deviceValue)});
    }
    return "";
}

}  // namespace

// A display-only parameter (writable 0) is never transferred: without a value it is unmarked.
std::vector<SSidePanelRow> SidePanelRowsFor(const CMenuParamTable& table, bool valuesPresent,
                                            const std::vector<SParamStatus>& statuses,
                                            const CMessageTable& catalogue) {
    std::map<int, const SParamStatus*> byNumber;
    for (const SParamStatus& entry : statuses) byNumber[entry.number] = &entry;
    std::vector<SSidePanelRow> rows;
    rows.reserve(table.GetCount());
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        const auto found = byNumber.find(item.number);
        if (found != byNumber.end()) {
            const std::string why = Explanation(item, *found->second, catalogue);
            rows.push_back({Mark(found->second->status) + item.name,
                            why.empty() ? item.name : item.name + ": " + why});
        } else if (valuesPresent && !item.valid && item.writable != 0) {
            rows.push_back(
                {"! " + item.name, item.name + ": " + catalogue.Get(UiTextNumber::kRowNoValue)});
        } else {
            rows.push_back({item.name, item.name});
        }
    }
    return rows;
}
