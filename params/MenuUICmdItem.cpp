#include "params/MenuUICmdItem.h"

#include "app/NumberText.h"

bool CMenuUICmdItem::ParseExtraFields(const std::vector<std::string>& fields) {
    return fields.size() >= 6 && ScanDecimalInt(fields[5], valueFormat);
}
