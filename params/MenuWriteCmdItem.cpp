#include "params/MenuWriteCmdItem.h"

#include "app/NumberText.h"

bool CMenuWriteCmdItem::ParseExtraFields(const std::vector<std::string>& fields) {
    return CMenuUICmdItem::ParseExtraFields(fields) && fields.size() >= 7 &&
           ScanDecimalInt(fields[6], hexDigits);
}
