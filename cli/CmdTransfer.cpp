// identify, upload, download and verify: the whole-set commands.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "cli/RunRecord.h"

namespace {

nlohmann::json ParameterJson(const CMenuParamItem& item) {
    return {{"number", item.number},
            {"name", item.name},
            {"set_value", item.setValue},
            {"display", item.SetValueDisplayText(item.setValue)},
            {"valid", item.valid}};
}

// Every parameter the last whole-set operation walked, with its status, in walking order.
template <class Visit>
void ForEachWalked(const CDeviceSession& session, Visit visit) {
    const CMenuParamTable& table = *session.Table();
    for (const SParamStatus& entry : session.ParamStatuses()) {
        const CMenuParamItem* item = table.FindByNumber(static_cast<uint16_t>(entry.number));
        if (item) visit(*item, entry);
    }
}

nlohmann::json StatusJson(const CMenuParamItem& item, const SParamStatus& entry) {
    nlohmann::json parameter = ParameterJson(item);
    parameter["status"] = ParamStatusName(entry.status);
    if (entry.status == EParamStatus::Differs) {
        parameter["file_display"] = item.SetValueDisplayText(item.setValue);
        parameter["device_display"] = item.SetValueDisplayText(entry.deviceValue);
    }
    return parameter;
}

nlohmann::json ParametersJson(const CDeviceSession& session) {
    nlohmann::json parameters = nlohmann::json::array();
    ForEachWalked(session, [&](const CMenuParamItem& item, const SParamStatus& entry) {
        parameters.push_back(StatusJson(item, entry));
    });
    return parameters;
}

// The parameters that failed or differ one a line, then those absent or not in the set, which
// are no fault, apart on one line each.  differsLabel names a difference: "differs", or
// "would change" for a dry run.
void PrintStatuses(const CDeviceSession& session, const char* differsLabel = "differs",
                   std::ostream& out = std::cout) {
    std::string absent, notInSet;
    const auto append = [](std::string& list, const CMenuParamItem& item) {
        list += (list.empty() ? "" : ", ") + std::to_string(item.number) + " " + item.name;
    };
    ForEachWalked(session, [&](const CMenuParamItem& item, const SParamStatus& entry) {
        switch (entry.status) {
            case EParamStatus::Ok:
                break;
            case EParamStatus::Absent:
                append(absent, item);
                break;
            case EParamStatus::NotInSet:
                append(notInSet, item);
                break;
            case EParamStatus::Failed:
                out << "  failed: " << item.number << " " << item.name << "\n";
                break;
            case EParamStatus::Differs:
                out << "  " << differsLabel << ": " << item.number << " " << item.name << ": file "
                    << item.SetValueDisplayText(item.setValue) << ", controller "
                    << item.SetValueDisplayText(entry.deviceValue) << "\n";
                break;
        }
    });
    if (!absent.empty()) out << "  absent (not on this controller): " << absent << "\n";
    if (!notInSet.empty()) out << "  not in the set: " << notInSet << "\n";
}

// 3 when some parameter failed or differs, 128 + the signal that stopped it, 1 when the operation
// itself failed.
int ExitCode(const SResult& result) {
    if (result.Ok()) return kExitOk;
    if (result.code == ResultCode::kIncomplete) return kExitIncomplete;
    if (result.code == ResultCode::kCancelled && CTerminalUi::Interrupted())
        return CTerminalUi::InterruptedExitCode();
    return kExitFailure;
}

// A parameter file refused when it was opened (the message is out): the controller got nothing
// but the model request and reads, and the line is closed without the DisConnect routine too.
int RefusedFile(CDeviceSession& s, const SResult& refusal) {
    if (refusal.code == ResultCode::kOtherModel)
        PrintError("--allow-other-model takes it all the same, by parameter number");
    CommandRecord().Note(s);
    s.Release();
    return kExitFailure;
}

// The exit code of a walk that ran through; some parameters failed or differ: one line on
// standard error says how many and what came back for the first that failed.
int ExitCodeOfWalk(const SResult& result) {
    if (result.code == ResultCode::kIncomplete) PrintError(result.message);
    return ExitCode(result);
}

}  // namespace

int RunIdentify(const SCliOptions& options) {
    CCliDevice device(options);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const size_t items = s.Table() ? s.Table()->GetCount() : 0;
    if (options.json) {
        SetJsonDocument({{"model_text", s.ModelText()},
                         {"unit", s.UnitNumber()},
                         {"key", s.ModelKey()},
                         {"model_name", s.ModelName()},
                         {"table_path", s.TablePath()},
                         {"items", items}});
    } else {
        std::cout << "Model text: " << s.ModelText() << "\nKey:        " << s.ModelKey()
                  << "\nModel name: " << s.ModelName() << "\nTable:      " << s.TablePath()
                  << "\nParameters: " << items << "\n";
    }
    return device.Finish(kExitOk, CCliDevice::EWrites::None);
}

namespace {

// upload -o -: the set is saved as ever, into a temporary file, and then copied to standard
// output; the file goes with the run.
class CStdoutSet {
  public:
    CStdoutSet() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vexa-XXXXXX.tmf").string();
        const int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) return;
        close(fd);
        m_path = pattern;
    }
    ~CStdoutSet() {
        if (!m_path.empty()) std::remove(m_path.c_str());
    }
    CStdoutSet(const CStdoutSet&) = delete;
    CStdoutSet& operator=(const CStdoutSet&) = delete;
    const std::string& Path() const { return m_path; }
    // The bytes as they are: past std::cout, which escapes control bytes for a terminal.
    bool CopyToStdout() const {
        std::ifstream in(m_path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) return false;
        std::cout.flush();
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t written = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            done += static_cast<size_t>(written);
        }
        return true;
    }

  private:
    std::string m_path;
};

}  // namespace

int RunUpload(const SCliOptions& options) {
    const bool toStdout = options.output == "-";
    if (toStdout && options.json) {
        PrintError("upload -o - writes the set to standard output: --json cannot share it");
        return kExitUsage;
    }
    std::optional<CStdoutSet> temporary;
    if (toStdout) {
        temporary.emplace();
        if (temporary->Path().empty()) {
            PrintError("no temporary file for the set: " + std::string(std::strerror(errno)));
            return kExitFailure;
        }
    }
    const std::string shownOutput = toStdout ? "standard output" : options.output;
    CCliDevice device(options);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const SResult upload = s.Upload();
    if (!upload.Completed()) {
        // Only a whole walk is a set: the previous files stay as they were.
        PrintError(upload.message + "; " + shownOutput +
                   (options.csv.empty() ? "" : " and " + options.csv) + " not written");
        return device.Finish(ExitCode(upload));
    }
    if (!s.Save(toStdout ? temporary->Path() : options.output).Ok())
        return device.Finish(kExitFailure);
    if (!toStdout) CommandRecord().file = s.OpenedFilePath();
    if (!options.csv.empty() && !s.Export(options.csv).Ok()) return device.Finish(kExitFailure);

    if (options.json) {
        SetJsonDocument({{"model_name", s.ModelName()},
                         {"unit", s.UnitNumber()},
                         {"file", s.OpenedFilePath()},
                         {"all_valid", upload.Ok()},
                         {"parameters", ParametersJson(s)}});
    } else {
        // With the set on standard output, what is said of it goes to standard error.
        if (toStdout && !temporary->CopyToStdout()) {
            PrintError("writing the set to standard output failed");
            return device.Finish(kExitFailure);
        }
        std::ostream& out = toStdout ? std::cerr : std::cout;
        out << "Uploaded " << s.ModelName() << " from unit " << s.UnitNumber() << " to "
            << (toStdout ? shownOutput : s.OpenedFilePath()) << "\n";
        PrintStatuses(s, "differs", out);
    }
    return device.Finish(ExitCodeOfWalk(upload), CCliDevice::EWrites::None);
}

namespace {

void PrintDryRun(const CDeviceSession& s, const SCliOptions& options, const SResult& dryRun) {
    if (options.json) {
        nlohmann::json changes = nlohmann::json::array();
        ForEachWalked(s, [&](const CMenuParamItem& item, const SParamStatus& entry) {
            if (entry.status == EParamStatus::Differs || entry.status == EParamStatus::Failed)
                changes.push_back(StatusJson(item, entry));
        });
        SetJsonDocument({{"model_name", s.ModelName()},
                         {"unit", s.UnitNumber()},
                         {"file", options.input},
                         {"would_change", changes},
                         {"parameters", ParametersJson(s)}});
    } else {
        const SOperationOutcome& counts = s.LastOutcome();
        std::string what = dryRun.Ok() ? "nothing would change" : "";
        if (counts.differs > 0)
            what = std::to_string(counts.differs) +
                   (counts.differs == 1 ? " parameter would change" : " parameters would change");
        if (counts.failed > 0)
            what +=
                (what.empty() ? "" : ", ") + std::to_string(counts.failed) + " could not be read";
        std::cout << "Dry run of " << options.input << " on unit " << s.UnitNumber() << " ("
                  << s.ModelName() << "): " << what << "\n";
        PrintStatuses(s, "would change");
    }
}

// download --dry-run: connects to the target unit itself and closes the line again without the
// DisConnect routine, so that nothing but reads reaches the controller.
int RunDryRun(const SCliOptions& options) {
    SCliOptions target = options;
    if (options.targetUnit >= 0) target.unit = options.targetUnit;
    CCliDevice device(target);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    int code = kExitFailure;
    if (s.Open(options.input).Ok()) {
        const SResult dryRun = s.DryRun();
        if (dryRun.Completed())
            PrintDryRun(s, options, dryRun);
        else
            PrintError(dryRun.message);
        code = ExitCode(dryRun);
    }
    CommandRecord().Note(s);
    s.Release();
    return code;
}

}  // namespace

int RunDownload(const SCliOptions& options) {
    if (options.dryRun) return RunDryRun(options);
    // Straight to the target: the unit of --unit may not be on the line at all.
    SCliOptions target = options;
    if (options.targetUnit >= 0) target.unit = options.targetUnit;
    CCliDevice device(target);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    if (const SResult opened = s.Open(options.input); !opened.Ok()) return RefusedFile(s, opened);
    const SResult download = s.Download(target.unit);
    if (!download.Completed()) {
        // A file error was shown already, as every message is.
        if (download.code != ResultCode::kFileError) PrintError(download.message);
        return device.Finish(ExitCode(download));
    }
    if (options.json) {
        SetJsonDocument({{"model_name", s.ModelName()},
                         {"unit", s.UnitNumber()},
                         {"file", options.input},
                         {"all_valid", download.Ok()},
                         {"parameters", ParametersJson(s)}});
    } else {
        std::cout << "Downloaded " << options.input << " to unit " << s.UnitNumber() << " ("
                  << s.ModelName() << ")\n";
        PrintStatuses(s);
    }
    return device.Finish(ExitCodeOfWalk(download));
}

int RunVerify(const SCliOptions& options) {
    CCliDevice device(options);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    if (const SResult opened = s.Open(options.input); !opened.Ok()) return RefusedFile(s, opened);
    const SResult verify = s.Verify();
    if (!verify.Completed()) {
        PrintError(verify.message);
        return device.Finish(ExitCode(verify));
    }
    if (options.json) {
        nlohmann::json differing = nlohmann::json::array();
        ForEachWalked(s, [&](const CMenuParamItem& item, const SParamStatus& entry) {
            if (entry.status == EParamStatus::Differs || entry.status == EParamStatus::Failed)
                differing.push_back(StatusJson(item, entry));
        });
        SetJsonDocument({{"model_name", s.ModelName()},
                         {"unit", s.UnitNumber()},
                         {"file", options.input},
                         {"all_equal", verify.Ok()},
                         {"differing", differing},
                         {"parameters", ParametersJson(s)}});
    } else {
        std::cout << "Verified unit " << s.UnitNumber() << " against " << options.input << ": "
                  << (verify.Ok() ? "all equal" : "differences") << "\n";
        PrintStatuses(s);
    }
    return device.Finish(ExitCodeOfWalk(verify), CCliDevice::EWrites::None);
}
