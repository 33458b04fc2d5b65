#include "files/ParameterSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "app/FileDate.h"
#include "files/CsvWriter.h"
#include "files/ParamFile.h"
#include "params/MenuParamTable.h"

namespace {

template <class File>
SResult Fail(const File& file) {
    return SResult::Failure(ResultCode::kFileError, file.ErrorText(), file.ErrorCode());
}

bool IsSaved(const CMenuParamItem& item) { return item.writable != 0 && !item.setValue.empty(); }

// "%04d/%02d/%02d %02d:%02d:%02d" as a save writes it: digits and separators in their places.
bool IsTableDate(const std::string& text) {
    static const std::string kShape = "0000/00/00 00:00:00";
    if (text.size() != kShape.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    return true;
}

bool IsModelNameText(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

// The transferable parameter a record is for, or none.
CMenuParamItem* RecordTarget(CMenuParamTable& table, const SParameterFileRecord& record) {
    // Parameter numbers are 16-bit; a larger one in a damaged file matches nothing.
    if (record.number < 0 || record.number > 0xFFFF) return nullptr;
    CMenuParamItem* item = table.FindByNumber(static_cast<uint16_t>(record.number));
    return item && item->writable != 0 ? item : nullptr;
}

}  // namespace

std::string FormatTableDate(const std::string& tablePath) {
    FileDateTime d;
    GetFileDate(tablePath, d);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  d.hour, d.minute, d.second);
    return text;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    if (path.size() >= extension.size() &&
        path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
        return path;
    return path + extension;
}

SResult SaveParameterSet(const CMenuParamTable& table, const std::string& modelName,
                         const std::string& tableDate, const std::string& path) {
    CParamFile file;
    if (!file.Open(path, CParamFile::Mode::Write) || !file.WriteDate(tableDate) ||
        !file.WriteName(modelName))
        return Fail(file);
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        if (IsSaved(item) && !file.WriteRecord(item.number, item.scale, item.setValue))
            return Fail(file);
    }
    if (!file.Commit()) return Fail(file);
    return SResult::Success();
}

SResult LoadParameterSet(CMenuParamTable& table, const std::string& path,
                         const std::string& modelName, bool& modelDiffers) {
    modelDiffers = false;
    SParameterFileContent content;
    SResult read = ReadParameterFileContent(path, content);
    if (!content.headerRead) return read;
    // Any file can be chosen; one that is not a parameter set must not become one.
    if (!IsTableDate(content.date) || !IsModelNameText(content.modelName))
        return SResult::Failure(ResultCode::kFileError, path + " is not a parameter file.", EINVAL);
    if (!content.records.empty() &&
        std::none_of(content.records.begin(), content.records.end(),
                     [&](const SParameterFileRecord& r) { return RecordTarget(table, r); }))
        return SResult::Failure(ResultCode::kFileError,
                                path + " holds no parameter of this controller model.", EINVAL);
    modelDiffers = content.modelName != modelName;
    table.ClearValid();
    table.ClearSetValues();
    // Records read before a file error stay applied.
    for (const SParameterFileRecord& record : content.records) {
        CMenuParamItem* item = RecordTarget(table, record);
        if (!item) continue;
        item->scale = record.scale;
        item->setValue = record.setValue;
        item->valid = true;
    }
    return read;
}

SResult ReadParameterFileContent(const std::string& path, SParameterFileContent& content) {
    content = {};
    CParamFile file;
    if (!file.Open(path, CParamFile::Mode::Read) || !file.ReadDate(content.date) ||
        !file.ReadName(content.modelName))
        return Fail(file);
    content.headerRead = true;
    SParameterFileRecord r;
    for (;;) {
        const int got = file.ReadRecord(r.number, r.scale, r.setValue);
        if (got == 0) return SResult::Success();
        if (got < 0) return Fail(file);
        content.records.push_back(r);
    }
}

SResult ExportParameterSet(const CMenuParamTable& table, const std::string& modelName,
                           const std::string& tableDate, const SExportTexts& texts,
                           const std::string& path) {
    CCsvWriter csv;
    if (!csv.Open(path)) return Fail(csv);
    csv.SetTitle(modelName);
    csv.WriteTitle();
    csv.AddColumn("");
    csv.AddColumn(texts.nameColumn);
    csv.AddColumn(texts.valueColumn);
    csv.WriteColumnHeader();
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const CMenuParamItem& item = *table.GetItem(i);
        if (!IsSaved(item)) continue;
        csv.SetRecord(item.number, item.name,
                      csv.LocalizeDecimal(item.SetValueDisplayText(item.setValue)));
        if (!csv.WriteRecord()) return Fail(csv);
    }
    csv.SetFooter(tableDate);
    csv.WriteFooter();
    if (!csv.Close()) return Fail(csv);
    return SResult::Success();
}
