#pragma once

#include <string>
#include <vector>

#include "ops/SessionState.h"

class CMenuParamTable;
class CMessageTable;

// One row of the side panel: the parameter's name behind a mark that says how the last
// upload, download or verify ended for it, and a tool tip that says it in words.
struct SSidePanelRow {
    std::string text;
    std::string toolTip;
};

// The rows of every item of the table, in table order. Without statuses (after opening a file)
// a parameter without a value is marked as missing, as before. The words come from the catalogue.
std::vector<SSidePanelRow> SidePanelRowsFor(const CMenuParamTable& table, bool valuesPresent,
                                            const std::vector<SParamStatus>& statuses,
                                            const CMessageTable& catalogue);
