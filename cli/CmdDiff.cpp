// diff: two parameter files compared offline, record by record.
#include <iostream>

#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "files/ParameterSetDiff.h"
#include "params/DecimalPoint.h"
#include "params/MenuParamTable.h"

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
        if (!m_table) return record.setValue;
        const CMenuParamItem* item = Item(record.number);
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

void PrintJsonDiff(const SParameterSetDiff& diff, const CRecordText& text) {
    nlohmann::json different = nlohmann::json::array();
    for (const SRecordDifference& d : diff.different)
        different.push_back({{"number", d.number},
                             {"name", text.Name(d.number)},
                             {"a", text.Value(d.a)},
                             {"b", text.Value(d.b)}});
    PrintJson({{"only_a", diff.onlyA}, {"only_b", diff.onlyB}, {"different", different}});
}

}  // namespace

int RunDiff(const SCliOptions& options) {
    SParameterFileContent a, b;
    if (!ReadForDiff(options.arguments[0], a) || !ReadForDiff(options.arguments[1], b))
        return kExitFailure;
    CMenuParamTable table;
    if (!options.table.empty() && table.Load(options.table) != 1) {
        PrintError("cannot read the parameter table " + options.table);
        return kExitFailure;
    }
    const CRecordText text(options.table.empty() ? nullptr : &table);
    const SParameterSetDiff diff = DiffParameterSets(a, b);
    if (options.json)
        PrintJsonDiff(diff, text);
    else
        PrintHuman(options, diff, text);
    return diff.Equal() ? kExitOk : kExitIncomplete;
}
