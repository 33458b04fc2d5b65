// clone: one parameter file into many units on the line, one after the other.
#include <algorithm>
#include <iostream>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/RunRecord.h"

namespace {

// How the clone into one unit ended.
struct SUnitClone {
    int unit = 0;
    std::string modelName;
    std::vector<int> failed;   // parameter numbers whose write or read-back failed
    std::vector<int> differs;  // verify found another value in the controller
    std::string error;         // why the unit failed as a whole; empty when it did not
    // Incomplete: how many parameters failed or differ, and what came back for the first failure.
    std::string incomplete;
    SUnitRecord record;

    const char* Result() const {
        if (!error.empty()) return "failed";
        return failed.empty() && differs.empty() ? "ok" : "incomplete";
    }
};

// The failed and differing parameters of the whole-set operation that just ended.
void CollectStatuses(const CDeviceSession& s, SUnitClone& clone) {
    clone.record.Note(s);
    AddFailedAndDiffering(s.ParamStatuses(), clone.failed, clone.differs);
}

// Connect, open the file, download, verify, disconnect: the steps of the download and verify
// commands, for one unit.
SUnitClone CloneInto(CDeviceSession& s, const SCliOptions& options, int unit) {
    SUnitClone clone;
    clone.unit = unit;
    clone.record.Start("clone", unit);
    clone.record.file = options.input;
    s.ApplyCommSettings(options.line, unit);
    const auto failed = [&](const SResult& result) {
        clone.error = result.message;
        if (s.IsConnected()) s.Disconnect();
        return clone;
    };
    if (SResult connected = s.Connect(unit); !connected.Ok()) return failed(connected);
    clone.modelName = s.ModelName();
    clone.record.Note(s);
    if (SResult opened = s.Open(options.input); !opened.Ok()) {
        // A refused file: the unit got reads only, and no DisConnect routine either.
        s.Release();
        return failed(opened);
    }
    const SResult download = s.Download(unit);
    CollectStatuses(s, clone);
    if (!download.Completed()) return failed(download);
    if (download.code == ResultCode::kIncomplete) clone.incomplete = download.message;
    if (!options.noVerify) {
        const SResult verify = s.Verify();
        CollectStatuses(s, clone);
        if (!verify.Completed()) return failed(verify);
        if (verify.code == ResultCode::kIncomplete && clone.incomplete.empty())
            clone.incomplete = verify.message;
    }
    if (SResult disconnected = s.Disconnect(); !disconnected.Ok()) return failed(disconnected);
    return clone;
}

std::string NumberList(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

void PrintUnit(const SUnitClone& clone) {
    std::cout << "unit " << clone.unit << ": " << clone.Result();
    if (!clone.modelName.empty()) std::cout << " (" << clone.modelName << ")";
    if (!clone.error.empty()) std::cout << ": " << clone.error;
    if (!clone.failed.empty()) std::cout << "; failed: " << NumberList(clone.failed);
    if (!clone.differs.empty()) std::cout << "; differs: " << NumberList(clone.differs);
    std::cout << std::endl;
}

nlohmann::json UnitJson(const SUnitClone& clone) {
    // The names of the --record line's fields for the same things.
    return {{"unit", clone.unit},
            {"model_name", clone.modelName},
            {"result", clone.Result()},
            {"failed_parameters", clone.failed},
            {"differing_parameters", clone.differs},
            {"error", clone.error}};
}

}  // namespace

int RunClone(const SCliOptions& options) {
    CCliDevice device(options);
    CDeviceSession& s = device.Session();
    s.SetView(EView::Clone);

    std::vector<SUnitClone> clones;
    size_t reached = 0;
    while (reached < options.units.size() && !CTerminalUi::Interrupted()) {
        clones.push_back(CloneInto(s, options, options.units[reached++]));
        const SUnitClone& clone = clones.back();
        // The exit code this unit alone would have given.
        const std::string result = clone.Result();
        WriteRecord(options, clone.record,
                    result == "ok"               ? kExitOk
                    : result == "incomplete"     ? kExitIncomplete
                    : CTerminalUi::Interrupted() ? CTerminalUi::InterruptedExitCode()
                                                 : kExitFailure);
        if (!options.json) PrintUnit(clone);
        // Standard error says why, one line for each unit that is not ok.
        const std::string& why = clone.error.empty() ? clone.incomplete : clone.error;
        if (!why.empty()) PrintError("unit " + std::to_string(clone.unit) + ": " + why);
    }
    const std::vector<int> notReached(options.units.begin() + static_cast<long>(reached),
                                      options.units.end());
    const auto count = [&](const char* result) {
        return std::count_if(clones.begin(), clones.end(), [&](const SUnitClone& clone) {
            return std::string(clone.Result()) == result;
        });
    };
    const long ok = count("ok"), incomplete = count("incomplete"), failed = count("failed");
    if (options.json) {
        nlohmann::json units = nlohmann::json::array();
        for (const SUnitClone& clone : clones) units.push_back(UnitJson(clone));
        SetJsonDocument({{"file", options.input}, {"units", units}, {"not_reached", notReached}});
    } else {
        std::cout << "Cloned " << options.input << " into " << clones.size() << " of "
                  << options.units.size() << " units: " << ok << " ok, " << incomplete
                  << " incomplete, " << failed << " failed" << std::endl;
        if (!notReached.empty())
            std::cout << "not reached (stopped): units " << NumberList(notReached) << std::endl;
    }
    if (CTerminalUi::Interrupted()) return CTerminalUi::InterruptedExitCode();
    if (failed > 0) return kExitFailure;
    return incomplete > 0 ? kExitIncomplete : kExitOk;
}
