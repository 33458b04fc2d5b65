// diff: two parameter files compared offline, record by record.
#include <iostream>

#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/SetModel.h"
#include "files/ParameterSetDiff.h"
#include "params/DecimalPoint.h"
#include "params/MenuParamTable.h"
#include "params/ValueText.h"

namespace {

// Names and display values come from a table when one is named; without one the set values
// are shown as the files store them.
class CRecordText {
  public:
    explicit CRecordText(const CMenuParamTable* table) : m_table(table) {}

    std::string Name(int32_t number) const {
        const CMenuParamItem* item = Item(number);
        return item ? item->name : "";
    }
    std::string Value(const SParameterFileRecord& record) const {
        const CMenuParamItem* item = Item(record.number);
        // A damaged value is shown as it stands, never as a number it is not.
        const SReason problem = item && item->writable != 0
                                    ? item->SetValueProblem(record.setValue)
                                    : SetValueTextProblem(record.setValue, 8);
        if (!problem.Empty()) return "\"" + record.setValue + "\" (" + English(problem) + ")";
        if (!m_table) return record.setValue;
        if (!item)
            return ApplyDecimalPoint(record.setValue, DecimalPlacesFromScale(record.scale),
                                     LocaleDecimalSeparator());
        // The record's scale places the decimal point, as when the file is opened.
        CMenuParamItem scaled = *item;
        scaled.scale = record.scale;
        return scaled.SetValueDisplayText(record.setValue);
    }
    std::string Label(int32_t number) const {
        const std::string name = Name(number);
        return std::to_string(number) + (name.empty() ? "" : " " + name);
    }

  private:
    const CMenuParamItem* Item(int32_t number) const {
        if (!m_table || number < 0 || number > 0xFFFF) return nullptr;
        return m_table->FindByNumber(static_cast<uint16_t>(number));
    }

    const CMenuParamTable* m_table;
};

bool ReadForDiff(const std::string& path, SParameterFileContent& content) {
    const SResult read = ReadParameterFileContent(path, content);
    if (!read.Ok()) PrintError(read.message);
    return read.Ok();
}

// What makes a file no set to trust, one line each on standard error and in the JSON output.
nlohmann::json NoteDamage(const std::string& path, const SParameterFileContent& content,
                          const CMenuParamTable* table) {
    nlohmann::json damaged = nlohmann::json::array();
    for (const SRecordDamage& damage : FindDamagedRecords(content, table)) {
        PrintError(path + ": " + English(DamageReason(damage, table)));
        damaged.push_back({{"file", path},
                           {"record", damage.record},
                           {"number", damage.number},
                           {"set_value", damage.setValue},
                           {"problem", English(damage.problem)}});
    }
    if (content.cutInsideRecord > 0) {
        PrintError(path + " ends inside record " + std::to_string(content.cutInsideRecord) +
                   "; its " + std::to_string(content.records.size()) +
                   " whole records are compared");
        damaged.push_back({{"file", path},
                           {"record", content.cutInsideRecord},
                           {"problem", "the file ends inside this record"}});
    }
    return damaged;
}

void PrintHuman(const SCliOptions& options, const SParameterSetDiff& diff,
                const CRecordText& text) {
    const std::string& a = options.arguments[0];
    const std::string& b = options.arguments[1];
    for (int32_t number : diff.onlyA)
        std::cout << "only in " << a << ": " << text.Label(number) << "\n";
    for (int32_t number : diff.onlyB)
        std::cout << "only in " << b << ": " << text.Label(number) << "\n";
    for (const SRecordDifference& d : diff.different)
        std::cout << text.Label(d.number) << ": " << text.Value(d.a) << " in " << a << ", "
                  << text.Value(d.b) << " in " << b << "\n";
    if (diff.Equal())
        std::cout << a << " and " << b << " hold the same set\n";
    else
        std::cout << diff.onlyA.size() + diff.onlyB.size() + diff.different.size()
                  << " records differ\n";
}

void PrintJsonDiff(const SParameterSetDiff& diff, const CRecordText& text,
                   const nlohmann::json& damaged) {
    nlohmann::json different = nlohmann::json::array();
    for (const SRecordDifference& d : diff.different)
        different.push_back({{"number", d.number},
                             {"name", text.Name(d.number)},
                             {"a", text.Value(d.a)},
                             {"b", text.Value(d.b)}});
    SetJsonDocument({{"only_a", diff.onlyA},
                     {"only_b", diff.onlyB},
                     {"different", different},
                     {"damaged", damaged}});
}

}  // namespace

int RunDiff(const SCliOptions& options) {
    SParameterFileContent a, b;
    if (!ReadForDiff(options.arguments[0], a) || !ReadForDiff(options.arguments[1], b))
        return kExitFailure;
    CMenuParamTable table;
    if (!options.table.empty() && !table.Load(options.table).Ok()) {
        PrintError("cannot read the parameter table " + options.table);
        return kExitFailure;
    }
    const CMenuParamTable* known = options.table.empty() ? nullptr : &table;
    WarnOfOtherModels(options.arguments[0], a.modelName, options.arguments[1], b.modelName);
    if (known) {
        WarnOfOtherModelsTable(options.arguments[0], a.modelName, options.table);
        if (b.modelName != a.modelName)
            WarnOfOtherModelsTable(options.arguments[1], b.modelName, options.table);
    }
    const CRecordText text(known);
    nlohmann::json damaged = NoteDamage(options.arguments[0], a, known);
    for (const auto& entry : NoteDamage(options.arguments[1], b, known)) damaged.push_back(entry);
    const SParameterSetDiff diff = DiffParameterSets(a, b);
    if (options.json)
        PrintJsonDiff(diff, text, damaged);
    else
        PrintHuman(options, diff, text);
    // A damaged file holds no set that could be the same as another.
    return diff.Equal() && damaged.empty() ? kExitOk : kExitIncomplete;
}
