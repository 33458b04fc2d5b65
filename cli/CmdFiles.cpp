// ports, export and show: the commands that need no controller.
#include <iomanip>
#include <iostream>
#include <map>

#include "app/MessageTable.h"
#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/SetModel.h"
#include "files/ParameterSet.h"
#include "params/MenuParamTable.h"
#include "params/ModelIndex.h"
#include "serial/PortList.h"
#include "serial/StablePortName.h"

int RunPorts(const SCliOptions& options) {
    CPortList ports;
    ports.Enumerate();
    nlohmann::json list = nlohmann::json::array();
    for (int i = 0; i < ports.Count(); ++i) {
        std::string name, description;
        ports.GetEntry(i, name, description);
        const std::string stable = StablePortName(name);
        if (options.json) {
            list.push_back({{"name", name}, {"description", description}, {"stable_name", stable}});
        } else {
            std::cout << name << (description.empty() && stable.empty() ? "" : "\t" + description)
                      << (stable.empty() ? "" : "\t" + stable) << "\n";
        }
    }
    if (options.json) SetJsonDocument({{"ports", list}});
    return kExitOk;
}

int RunExport(const SCliOptions& options) {
    CMessageTable catalogue;
    if (!LoadCatalogue(catalogue)) return kExitFailure;
    SParameterFileContent content;
    SResult result = ReadParameterFileContent(options.input, content);
    if (!result.Ok()) {
        PrintError(result.message);
        return kExitFailure;
    }
    // Without --table, the set's own model names it.
    std::string tablePath = options.table;
    if (tablePath.empty()) {
        tablePath = FindTableOfModel(content.modelName);
        if (tablePath.empty()) {
            PrintError("no model index names the model \"" + content.modelName + "\" of " +
                       options.input + ": name its table with --table");
            return kExitFailure;
        }
    } else {
        WarnOfOtherModelsTable(options.input, content.modelName, tablePath);
    }
    CMenuParamTable table;
    if (!table.Load(tablePath).Ok()) {
        PrintError("cannot read the parameter table " + tablePath);
        return kExitFailure;
    }
    SSetFileNotes notes;
    result = LoadParameterSet(table, options.input, content.modelName, notes);
    // A CSV of the whole records alone would pass for the whole set.
    if (result.Ok() && notes.cutInsideRecord > 0)
        result = SResult::Failure(ResultCode::kFileError,
                                  CutRefusal(options.input, notes.cutInsideRecord, table));
    const std::string path = WithExtension(options.output, ".csv");
    if (result.Ok())
        result = ExportParameterSet(table, content.modelName, FormatTableDate(tablePath),
                                    {catalogue.Get(300), catalogue.Get(301)}, path);
    if (!result.Ok()) {
        PrintError(result.message);
        return kExitFailure;
    }
    if (options.json)
        SetJsonDocument({{"file", path}, {"model_name", content.modelName}, {"table", tablePath}});
    else
        std::cout << "Exported " << options.input << " to " << path << "\n";
    return kExitOk;
}

int RunShow(const SCliOptions& options) {
    SParameterFileContent content;
    if (const SResult read = ReadParameterFileContent(options.input, content); !read.Ok()) {
        PrintError(read.message);
        return kExitFailure;
    }
    // Damaged records are listed as they stand and marked: no value is made up for them.
    std::map<size_t, std::string> problems;
    for (const SRecordDamage& damage : FindDamagedRecords(content, nullptr))
        problems[damage.record] = English(damage.problem);
    const auto problemOf = [&](size_t index) {
        const auto found = problems.find(index + 1);
        return found == problems.end() ? std::string() : found->second;
    };
    if (options.json) {
        nlohmann::json records = nlohmann::json::array();
        for (size_t i = 0; i < content.records.size(); ++i) {
            const auto& r = content.records[i];
            nlohmann::json record = {
                {"number", r.number}, {"scale", r.scale}, {"set_value", r.setValue}};
            if (const std::string problem = problemOf(i); !problem.empty())
                record["problem"] = problem;
            records.push_back(record);
        }
        SetJsonDocument({{"date", content.date},
                         {"model_name", content.modelName},
                         {"records", records},
                         {"cut_inside_record", content.cutInsideRecord > 0
                                                   ? nlohmann::json(content.cutInsideRecord)
                                                   : nlohmann::json(nullptr)}});
    } else {
        std::cout << "Date:  " << content.date << "\nModel: " << content.modelName << "\n";
        std::cout << " number   scale  set value\n";
        for (size_t i = 0; i < content.records.size(); ++i) {
            const auto& r = content.records[i];
            const std::string problem = problemOf(i);
            std::cout << std::setw(7) << r.number << ' ' << std::setw(7) << r.scale << "  "
                      << r.setValue << (problem.empty() ? "" : "  <- " + problem) << "\n";
        }
    }
    if (!problems.empty())
        PrintError(options.input + ": " + std::to_string(problems.size()) +
                   (problems.size() == 1 ? " damaged record" : " damaged records") +
                   " (marked); download refuses the file");
    if (content.cutInsideRecord > 0)
        PrintError(options.input + " ends inside record " +
                   std::to_string(content.cutInsideRecord) + "; its " +
                   std::to_string(content.records.size()) + " whole records are shown");
    return problems.empty() && content.cutInsideRecord == 0 ? kExitOk : kExitIncomplete;
}
