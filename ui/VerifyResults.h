#pragma once

#include <array>
#include <string>
#include <vector>

#include "ops/SessionState.h"

class CMenuParamTable;
class CMessageTable;

// One row of verify's results: parameter, file value, controller value, status, as shown.
using VerifyRow = std::array<std::string, 4>;

// The column headers, from the catalogue.
VerifyRow VerifyHeaders(const CMessageTable& catalogue);
// A row for every parameter verify walked, in the order it walked them; a parameter it did not
// read has no controller value.
std::vector<VerifyRow> VerifyRowsFor(const CMenuParamTable& table,
                                     const std::vector<SParamStatus>& statuses,
                                     const CMessageTable& catalogue);
// The rows as text for the clipboard: one line each, cells separated by tabs.
std::string TabSeparated(const std::vector<VerifyRow>& rows);
