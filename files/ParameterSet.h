#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Result.h"

class CMenuParamTable;

// A failed file operation answers kFileError with the text the operator is told and the
// platform's error number as its cause.

// "%04d/%02d/%02d %02d:%02d:%02d" of the file's last-write time in UTC; all numbers 0
// when the time cannot be read.
std::string FormatTableDate(const std::string& tablePath);

// The path with `extension` (".tmf", ".csv") appended unless it already ends with it.
std::string WithExtension(const std::string& path, const std::string& extension);

// Writes every transferable parameter with a set value, in table order.
SResult SaveParameterSet(const CMenuParamTable& table, const std::string& modelName,
                         const std::string& tableDate, const std::string& path);

// Reads a parameter file into the table: set values and scales of the parameters whose
// numbers it holds become valid, all others are emptied.  modelDiffers tells whether the
// file was made for another model than `modelName`; it is still read.  A file whose header
// is not a parameter file's, or whose records all miss the table's transferable parameters,
// is refused (kFileError) and leaves the table as it was.
SResult LoadParameterSet(CMenuParamTable& table, const std::string& path,
                         const std::string& modelName, bool& modelDiffers);

// The header, date and name of a parameter file and its records as they stand.
struct SParameterFileRecord {
    int32_t number = 0;
    int32_t scale = 0;
    std::string setValue;
};
struct SParameterFileContent {
    bool headerRead = false;
    std::string date;
    std::string modelName;
    std::vector<SParameterFileRecord> records;
};
SResult ReadParameterFileContent(const std::string& path, SParameterFileContent& content);

// The CSV export: title (model name), header with the two column titles, one line per
// transferable parameter with a set value, and the table date.
struct SExportTexts {
    std::string nameColumn;
    std::string valueColumn;
};
SResult ExportParameterSet(const CMenuParamTable& table, const std::string& modelName,
                           const std::string& tableDate, const SExportTexts& texts,
                           const std::string& path);
