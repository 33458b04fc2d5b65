#include "params/MenuCmdItem.h"

#include "app/FileHelpers.h"
#include "app/NumberText.h"

bool CMenuCmdItem::Parse(const std::string& text) {
    std::vector<std::string> fields;
    SplitString(text, ';', fields);
    if (fields.size() != expectedFields || fields.size() < 5) return false;
    commandText = fields[0];
    if (commandText.empty()) return false;

    int32_t seconds, retryCount;
    if (!ScanDecimalInt(fields[1], seconds)) return false;
    // Wraps like the 16-bit millisecond field it is kept in: 70 s give 4464 ms.
    timeout = static_cast<uint16_t>(static_cast<int64_t>(seconds) * 1000);
    if (!ScanDecimalInt(fields[2], retryCount)) return false;
    retries = static_cast<uint16_t>(retryCount);
    if (!ScanDecimalInt(fields[3], frameKind)) return false;
    if (!ScanDecimalInt(fields[4], replyRequired)) return false;
    if (!ParseExtraFields(fields)) return false;
    definition = text;
    return true;
}

bool CMenuCmdItem::ParseExtraFields(const std::vector<std::string>&) { return true; }
