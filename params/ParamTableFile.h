#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Result.h"

class CMenuParamItem;
class IniFile;
class CMenuParamTable;
class OperatorReport;

// The parameter table file: item lines "{name,read,write,...}" after a "[ParamList]" line, and
// the profile sections that list the download and upload orders.

// Fills `item` from the text between the braces of an item line (12 ","-separated fields).
// False when the line is invalid; the item is then half-filled and must be dropped.
bool ParseItemLine(const std::string& text, CMenuParamItem& item);

// Adds every valid item of the file to `table`; item lines that are damaged (or beyond a full
// table) are counted and reported as "N item lines of FILE skipped" (to `report` and the log).
// Fails (kModelNotLoaded) when the file cannot be opened (reported likewise), when
// "[ParamList]" is missing, or when no item was added.
SResult ReadParamList(const std::string& path, CMenuParamTable& table, OperatorReport* report);

// Appends the parameter number that begins each entry of a profile section ("12=ABC" and "12"
// give 12; "No12=1" and comments are skipped). A missing section appends nothing.
void ReadOrderSection(const IniFile& profile, const std::string& section,
                      std::vector<uint16_t>& order);
