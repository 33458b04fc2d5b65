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

// What reading a parameter file into a table found beside the values.
struct SSetFileNotes {
    bool modelDiffers = false;   // made for another model than the one asked for; still read
    std::string fileModelName;   // the model the file was made for
    size_t cutInsideRecord = 0;  // the file ends inside this record (from 1); 0: it does not
    size_t records = 0;          // the whole records it holds
};

// Reads a parameter file into the table: set values and scales of the parameters whose
// numbers it holds become valid, all others are emptied.  A file made for another model is
// read (notes.modelDiffers), and so are the whole records of a file that ends inside one
// (notes.cutInsideRecord; the caller decides whether such a set may be used).  A file whose
// header is not a parameter file's, that holds a damaged record (FindDamagedRecords), or whose
// records all miss the table's transferable parameters, is refused whole (kFileError) and
// leaves the table as it was.
SResult LoadParameterSet(CMenuParamTable& table, const std::string& path,
                         const std::string& modelName, SSetFileNotes& notes);

// How many parameters of the table a whole set holds: the transferable ones.
size_t TransferableCount(const CMenuParamTable& table);
// "PATH is refused: cut inside record 6 of 36", where only a whole set will do.
SReason CutRefusal(const std::string& path, size_t cutInsideRecord, const CMenuParamTable& table);

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
    std::vector<SParameterFileRecord> records;  // the whole ones
    size_t cutInsideRecord = 0;  // the file ends inside this record (from 1); 0: it does not
};
SResult ReadParameterFileContent(const std::string& path, SParameterFileContent& content);

// A whole record no save writes: its set value is no plain decimal integer or does not fit
// the write command, or its parameter number came in an earlier record already.
struct SRecordDamage {
    size_t record = 0;  // counted from 1
    int32_t number = 0;
    std::string setValue;
    SReason problem;  // "not a plain decimal integer", "given twice (first in record 3)"
};
// The damaged records in file order.  The values of the table's transferable parameters must fit
// their write commands; any other value (all of them without a table) 32 bits.
std::vector<SRecordDamage> FindDamagedRecords(const SParameterFileContent& content,
                                              const CMenuParamTable* table);
// "record 3, parameter 1 (Set point), set value "2600junk": not a plain decimal integer"; the
// name when the table knows the number.
SReason DamageReason(const SRecordDamage& damage, const CMenuParamTable* table);

// The CSV export: title (model name), header with the two column titles, one line per
// transferable parameter with a set value, and the table date.
struct SExportTexts {
    std::string nameColumn;
    std::string valueColumn;
};
SResult ExportParameterSet(const CMenuParamTable& table, const std::string& modelName,
                           const std::string& tableDate, const SExportTexts& texts,
                           const std::string& path);
