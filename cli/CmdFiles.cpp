// ports, export and show: the commands that need no controller.
#include <iomanip>
#include <iostream>

#include "app/MessageTable.h"
#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "files/ParameterSet.h"
#include "params/MenuParamTable.h"
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
    if (options.json) PrintJson({{"ports", list}});
    return kExitOk;
}

int RunExport(const SCliOptions& options) {
    CMessageTable catalogue;
    if (!LoadCatalogue(catalogue)) return kExitFailure;
    CMenuParamTable table;
    if (table.Load(options.table) != 1) {
        PrintError("cannot read the parameter table " + options.table);
        return kExitFailure;
    }
    SParameterFileContent content;
    bool modelDiffers = false;
    SResult result = ReadParameterFileContent(options.input, content);
    if (result.Ok())
        result = LoadParameterSet(table, options.input, content.modelName, modelDiffers);
    const std::string path = WithExtension(options.output, ".csv");
    if (result.Ok())
        result = ExportParameterSet(table, content.modelName, FormatTableDate(options.table),
                                    {catalogue.Get(300), catalogue.Get(301)}, path);
    if (!result.Ok()) {
        PrintError(result.message);
        return kExitFailure;
    }
    if (options.json)
        PrintJson({{"file", path}, {"model_name", content.modelName}});
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
    if (options.json) {
        nlohmann::json records = nlohmann::json::array();
        for (const auto& r : content.records)
            records.push_back(
                {{"number", r.number}, {"scale", r.scale}, {"set_value", r.setValue}});
        PrintJson(
            {{"date", content.date}, {"model_name", content.modelName}, {"records", records}});
        return kExitOk;
    }
    std::cout << "Date:  " << content.date << "\nModel: " << content.modelName << "\n";
    std::cout << " number   scale  set value\n";
    for (const auto& r : content.records)
        std::cout << std::setw(7) << r.number << ' ' << std::setw(7) << r.scale << "  "
                  << r.setValue << "\n";
    return kExitOk;
}
