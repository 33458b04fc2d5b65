#include "params/MenuCmdItem.h"

#include "app/FileHelpers.h"
#include "app/NumberText.h"

int CMenuCmdItem::Parse(const std::string& text) {
    std::vector<std::string> fields;
    SplitString(text, ';', fields);
    if (fields.size() != expectedFields || fields.size() < 5) return 0;
    commandText = fields[0];
    if (commandText.empty()) return 0;

    int32_t seconds, retryCount;
    if (!ScanDecimalInt(fields[1], seconds)) return 0;
    // Wraps like the 16-bit millisecond field it is kept in: 70 s give 4464 ms.
    timeout = static_cast<uint16_t>(static_cast<int64_t>(seconds) * 1000);
    if (!ScanDecimalInt(fields[2], retryCount)) return 0;
    retries = static_cast<uint16_t>(retryCount);
    if (!ScanDecimalInt(fields[3], frameKind)) return 0;
    if (!ScanDecimalInt(fields[4], replyRequired)) return 0;
    if (!ParseExtraFields(fields)) return 0;
    definition = text;
    return 1;
}

bool CMenuCmdItem::ParseExtraFields(const std::vector<std::string>&) { return true; }
