#include "files/ParameterSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>

#include "app/FileDate.h"
#include "app/NumberText.h"
#include "files/CsvWriter.h"
#include "files/ParamFile.h"
#include "params/MenuParamTable.h"
#include "params/ValueText.h"

namespace {

template <class File>
SResult Fail(const File& file) {
    return SResult::Failure(ResultCode::kFileError, file.Error(), file.ErrorCode());
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

// The transferable parameter a record is for, or none.
template <class Table>
auto RecordTarget(Table& table, const SParameterFileRecord& record)
    -> decltype(table.FindByNumber(0)) {
    // Parameter numbers are 16-bit; a larger one in a damaged file matches nothing.
    if (record.number < 0 || record.number > 0xFFFF) return nullptr;
    auto* item = table.FindByNumber(static_cast<uint16_t>(record.number));
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
                         const std::string& modelName, SSetFileNotes& notes) {
    notes = {};
    SParameterFileContent content;
    SResult read = ReadParameterFileContent(path, content);
    if (!content.headerRead) return read;
    // Any file can be chosen; one that is not a parameter set must not become one.
    if (!IsTableDate(content.date) || !CParamFile::IsModelNameText(content.modelName))
        return SResult::Failure(ResultCode::kFileError, Reason<ReasonId::kNotParameterFile>(path),
                                EINVAL);
    // Saves write clean values only: a damaged one would be read as some other number and
    // written unannounced, and of a number given twice nobody knows which record was meant.
    const std::vector<SRecordDamage> damaged = FindDamagedRecords(content, &table);
    if (!damaged.empty())
        return SResult::Failure(
            ResultCode::kFileError,
            Reason<ReasonId::kFileRefused>(path, DamageReason(damaged.front(), &table)), EINVAL);
    if (!content.records.empty() &&
        std::none_of(content.records.begin(), content.records.end(),
                     [&](const SParameterFileRecord& r) { return RecordTarget(table, r); }))
        return SResult::Failure(ResultCode::kFileError, Reason<ReasonId::kNoParameterOfModel>(path),
                                EINVAL);
    notes.modelDiffers = content.modelName != modelName;
    notes.fileModelName = content.modelName;
    notes.cutInsideRecord = content.cutInsideRecord;
    notes.records = content.records.size();
    table.ClearValid();
    table.ClearSetValues();
    // Records read before a file error stay applied.
    for (const SParameterFileRecord& record : content.records) {
        CMenuParamItem* item = RecordTarget(table, record);
        if (!item) continue;
        item->scale = record.scale;
        // Checked above; written as a save writes it ("+0120" as "120"), so that verify compares
        // numbers, not spellings.
        int32_t value = 0;
        ScanDecimalInt(record.setValue, value);
        item->setValue = std::to_string(value);
        item->valid = true;
    }
    return read;
}

size_t TransferableCount(const CMenuParamTable& table) {
    size_t count = 0;
    for (size_t i = 0; i < table.GetCount(); ++i) count += table.GetItem(i)->writable != 0;
    return count;
}

SReason CutRefusal(const std::string& path, size_t cutInsideRecord, const CMenuParamTable& table) {
    return Reason<ReasonId::kCutInside>(path, std::to_string(cutInsideRecord),
                                        std::to_string(TransferableCount(table)));
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
        if (got < 0) return Fail(file);
        if (got == 0) {
            if (file.EndsInsideRecord()) content.cutInsideRecord = content.records.size() + 1;
            return SResult::Success();
        }
        content.records.push_back(r);
    }
}

std::vector<SRecordDamage> FindDamagedRecords(const SParameterFileContent& content,
                                              const CMenuParamTable* table) {
    std::vector<SRecordDamage> damaged;
    std::map<int32_t, size_t> firstRecord;
    for (size_t i = 0; i < content.records.size(); ++i) {
        const SParameterFileRecord& record = content.records[i];
        const CMenuParamItem* target = table ? RecordTarget(*table, record) : nullptr;
        SReason problem = target ? target->SetValueProblem(record.setValue)
                                 : SetValueTextProblem(record.setValue, 8);
        const auto [first, isFirst] = firstRecord.emplace(record.number, i + 1);
        if (problem.Empty() && !isFirst)
            problem = Reason<ReasonId::kGivenTwice>(std::to_string(first->second));
        if (!problem.Empty())
            damaged.push_back({i + 1, record.number, record.setValue, std::move(problem)});
    }
    return damaged;
}

SReason DamageReason(const SRecordDamage& damage, const CMenuParamTable* table) {
    const CMenuParamItem* item = table && damage.number >= 0 && damage.number <= 0xFFFF
                                     ? table->FindByNumber(static_cast<uint16_t>(damage.number))
                                     : nullptr;
    const std::string record = std::to_string(damage.record);
    const std::string number = std::to_string(damage.number);
    if (item)
        return Reason<ReasonId::kRecordDamageNamed>(record, number, item->name, damage.setValue,
                                                    damage.problem);
    return Reason<ReasonId::kRecordDamage>(record, number, damage.setValue, damage.problem);
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
