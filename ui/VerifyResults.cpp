#include "ui/VerifyResults.h"

#include "app/MessageTable.h"
#include "params/MenuParamTable.h"

namespace {

constexpr std::uint16_t kFirstHeader = 455;  // Parameter, File value, Controller value, Status
constexpr std::uint16_t kFirstStatus = 459;  // in the order of EParamStatus

}  // namespace

VerifyRow VerifyHeaders(const CMessageTable& catalogue) {
    VerifyRow headers;
    for (std::uint16_t i = 0; i < headers.size(); ++i) headers[i] = catalogue.Get(kFirstHeader + i);
    return headers;
}

std::vector<VerifyRow> VerifyRowsFor(const CMenuParamTable& table,
                                     const std::vector<SParamStatus>& statuses,
                                     const CMessageTable& catalogue) {
    std::vector<VerifyRow> rows;
    for (const SParamStatus& entry : statuses) {
        const CMenuParamItem* item = table.FindByNumber(static_cast<std::uint16_t>(entry.number));
        if (!item) continue;
        const bool read = entry.status == EParamStatus::Ok || entry.status == EParamStatus::Differs;
        rows.push_back({item->name, item->SetValueDisplayText(item->setValue),
                        read ? item->SetValueDisplayText(entry.deviceValue) : std::string(),
                        catalogue.Get(static_cast<std::uint16_t>(kFirstStatus +
                                                                 static_cast<int>(entry.status)))});
    }
    return rows;
}

std::string TabSeparated(const std::vector<VerifyRow>& rows) {
    std::string text;
    for (const VerifyRow& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += '\t';
            // A tab or line break inside a cell would shift the columns of a spreadsheet.
            for (char c : row[i]) text += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
        }
        text += '\n';
    }
    return text;
}
