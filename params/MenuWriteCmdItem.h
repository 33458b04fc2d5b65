#pragma once

#include "params/MenuUICmdItem.h"

// The write command of a parameter: a read command's subfields plus a seventh, the number of
// hexadecimal digits of written values.
class CMenuWriteCmdItem : public CMenuUICmdItem {
  public:
    CMenuWriteCmdItem() : CMenuUICmdItem(7) {}

    int32_t hexDigits = 4;

  protected:
    bool ParseExtraFields(const std::vector<std::string>& fields) override;
};
