// get and set: single parameters as the setting view reads and writes them.
#include <iomanip>
#include <iostream>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/RunRecord.h"

namespace {

// The items the keys name, or every item in table order when there are none (by index: two
// items may share a number). A key that names nothing is reported and skipped.
std::vector<int> ItemsNamed(const std::vector<std::string>& keys, const CMenuParamTable& table,
                            const std::string& tablePath, bool& allFound) {
    std::vector<int> indexes;
    allFound = true;
    if (keys.empty()) {
        for (size_t i = 0; i < table.GetCount(); ++i) indexes.push_back(static_cast<int>(i));
        return indexes;
    }
    for (const std::string& key : keys) {
        const int index = FindParameter(table, key);
        if (index >= 0) {
            indexes.push_back(index);
        } else {
            PrintError(NoParameterMessage(table, key, tablePath));
            allFound = false;
        }
    }
    return indexes;
}

}  // namespace

int RunGet(const SCliOptions& options) {
    CCliDevice device(options);
    if (!device.Connect(EView::Setting)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const CMenuParamTable& table = *s.Table();
    bool allOk = true;
    // A key that names nothing is a usage error: nothing is read.
    const std::vector<int> indexes = ItemsNamed(options.arguments, table, s.TablePath(), allOk);
    if (!allOk) return device.Finish(kExitUsage);
    nlohmann::json parameters = nlohmann::json::array();
    for (const int index : indexes) {
        const SResult shown = s.Read(index);
        const bool ok = shown.Ok();
        allOk = allOk && ok;
        const CMenuParamItem& item = *table.GetItem(index);
        if (!ok) PrintError(WithReason("parameter " + item.name + " cannot be read", shown));
        const std::string& display = s.Shown().currentValue;
        if (options.json) {
            // The statuses upload names: absent is no fault.
            const EParamStatus status = !ok              ? EParamStatus::Failed
                                        : !item.Exists() ? EParamStatus::Absent
                                                         : EParamStatus::Ok;
            parameters.push_back({{"number", item.number},
                                  {"name", item.name},
                                  {"display", display},
                                  {"status", ParamStatusName(status)}});
        } else {
            std::cout << std::setw(5) << item.number << "  " << std::left << std::setw(28)
                      << item.name << std::right << ' '
                      << (!ok              ? "(not readable)"
                          : !item.Exists() ? "(not present)"
                                           : display)
                      << "\n";
        }
        // Nothing after a lost line could reach the controller: its loss was said once.
        if (s.Port().LineLost()) break;
    }
    if (options.json)
        SetJsonDocument(
            {{"model_name", s.ModelName()}, {"unit", s.UnitNumber()}, {"parameters", parameters}});
    return device.Finish(allOk ? kExitOk : kExitFailure, CCliDevice::EWrites::None);
}

int RunSet(const SCliOptions& options) {
    CCliDevice device(options);
    if (!device.Connect(EView::Setting)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const CMenuParamTable& table = *s.Table();
    // A pair that is no KEY=VALUE, or a key that names nothing, is a usage error: nothing is
    // written, not even the pairs before it.
    bool usable = true;
    for (const std::string& pair : options.arguments) {
        const size_t eq = pair.find('=');
        if (eq == std::string::npos)
            PrintError("\"" + pair + "\" is not KEY=VALUE");
        else if (FindParameter(table, pair.substr(0, eq)) < 0)
            PrintError(NoParameterMessage(table, pair.substr(0, eq), s.TablePath()));
        else
            continue;
        usable = false;
    }
    if (!usable) return device.Finish(kExitUsage);
    bool allOk = true;
    // Written, but not read back: the value may be on the controller, unlike one not written.
    bool readBackFailed = false;
    nlohmann::json parameters = nlohmann::json::array();
    for (const std::string& pair : options.arguments) {
        const size_t eq = pair.find('=');
        const std::string key = pair.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : pair.substr(eq + 1);
        nlohmann::json result = {{"key", key}, {"status", "failed"}, {"read_back_failed", false}};
        const int index = FindParameter(table, key);
        std::string problem;
        bool writtenUnread = false;
        bool notLeft = false;  // write mode not left: the controller may still be in it
        const CMenuParamItem& item = *table.GetItem(index);
        result["number"] = item.number;
        result["name"] = item.name;
        if (const SResult shown = s.Read(index); !shown.Ok())
            problem = WithReason("parameter " + key + " cannot be read", shown);
        else if (!s.Shown().writable)
            problem = "parameter " + key + " cannot be written";
        else if (const std::string refusal = English(item.WriteValueProblem(value));
                 !refusal.empty())
            problem = "parameter " + key + ": " + refusal + "; nothing written";
        else {
            if (s.Shown().writeModeNeeded && !s.SwitchWriteMode(true).Ok()) {
                problem = "parameter " + key + ": the controller refused write mode";
            } else {
                const SResult written = s.Write(index, value);
                writtenUnread = written.code == ResultCode::kIncomplete;
                if (!written.Ok())
                    problem = "parameter " + key + " = " + value + ": " + written.message;
                // A controller left in write mode is a failure even when the value went in.
                if (const SResult left = s.LeaveWriteMode(); !left.Ok()) {
                    problem = problem.empty() ? left.message : problem + "; " + left.message;
                    notLeft = true;
                }
            }
            result["display"] = s.Shown().currentValue;
        }
        SUnitRecord& record = CommandRecord();
        if (problem.empty()) {
            ++record.ok;
            result["status"] = "ok";
            if (!options.json)
                std::cout << key << " = " << result["display"].get<std::string>() << "\n";
        } else {
            ++record.failed;
            record.failedNumbers.push_back(table.GetItem(index)->number);
            result["read_back_failed"] = writtenUnread;
            if (writtenUnread && !notLeft)
                readBackFailed = true;
            else
                allOk = false;
            PrintError(problem);
        }
        parameters.push_back(result);
        if (s.Port().LineLost()) break;
    }
    if (options.json)
        SetJsonDocument(
            {{"model_name", s.ModelName()}, {"unit", s.UnitNumber()}, {"parameters", parameters}});
    return device.Finish(!allOk ? kExitFailure : readBackFailed ? kExitIncomplete : kExitOk);
}
