// identify, upload, download and verify: the whole-set commands.
#include <iostream>

#include "cli/CliDevice.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"

namespace {

nlohmann::json ParameterJson(const CMenuParamItem& item) {
    return {{"number", item.number},
            {"name", item.name},
            {"set_value", item.setValue},
            {"display", item.setValue.empty() ? "" : item.ApplyDecimalPoint(item.setValue)},
            {"valid", item.valid}};
}

// Every transferable parameter in upload (or download) order.
template <class Visit>
void ForEachTransferable(const CMenuParamTable& table, Visit visit, bool downloadOrder = false) {
    const size_t count = downloadOrder ? table.GetDownloadCount() : table.GetUploadCount();
    for (size_t i = 0; i < count; ++i) {
        const CMenuParamItem* item = table.FindByNumber(downloadOrder ? table.GetDownloadNumber(i)
                                                                      : table.GetUploadNumber(i));
        if (item && item->writable != 0) visit(*item);
    }
}

// The set as JSON, in the order the operation walked it.
nlohmann::json ParametersJson(const CMenuParamTable& table, bool downloadOrder = false) {
    nlohmann::json parameters = nlohmann::json::array();
    ForEachTransferable(
        table, [&](const CMenuParamItem& item) { parameters.push_back(ParameterJson(item)); },
        downloadOrder);
    return parameters;
}

void PrintNotTransferred(const CMenuParamTable& table, const char* what) {
    ForEachTransferable(table, [&](const CMenuParamItem& item) {
        if (item.writable == 1 && !item.valid)
            std::cout << "  " << what << ": " << item.number << " " << item.name << "\n";
    });
}

int Outcome(const CMenuParamTable& table) {
    if (CTerminalUi::Interrupted()) return kExitInterrupted;
    return table.AnyWritableNotValid() == 1 ? kExitIncomplete : kExitOk;
}

}  // namespace

int RunIdentify(const SCliOptions& options) {
    CCliDevice device(options, {});
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const size_t items = s.Table() ? s.Table()->GetCount() : 0;
    if (options.json) {
        PrintJson({{"model_text", s.ModelText()},
                   {"key", s.ModelKey()},
                   {"model_name", s.ModelName()},
                   {"table_path", s.TablePath()},
                   {"items", items}});
    } else {
        std::cout << "Model text: " << s.ModelText() << "\nKey:        " << s.ModelKey()
                  << "\nModel name: " << s.ModelName() << "\nTable:      " << s.TablePath()
                  << "\nParameters: " << items << "\n";
    }
    return kExitOk;
}

int RunUpload(const SCliOptions& options) {
    CTerminalUi::SAnswers answers;
    answers.savePath = options.output;
    answers.csvPath = options.csv;
    CCliDevice device(options, answers);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    const SResult upload = s.UploadButton();
    const CMenuParamTable& table = *s.Table();
    // Values of a walk the line broke off are no set to save.
    if (upload.code == ResultCode::kLineLost) {
        PrintError(upload.message);
        return kExitFailure;
    }
    if (!s.ValuesPresent()) {
        if (CTerminalUi::Interrupted()) return kExitInterrupted;
        PrintError(upload.message);
        return kExitFailure;
    }
    if (!s.SaveButton().Ok()) return kExitFailure;
    if (!options.csv.empty()) s.ExportButton();

    if (options.json) {
        PrintJson({{"model_name", s.ModelName()},
                   {"unit", s.UnitNumber()},
                   {"file", s.OpenedFilePath()},
                   {"all_valid", table.AnyWritableNotValid() == 0},
                   {"parameters", ParametersJson(table)}});
    } else {
        std::cout << "Uploaded " << s.ModelName() << " from unit " << s.UnitNumber() << " to "
                  << s.OpenedFilePath() << "\n";
        PrintNotTransferred(table, "not transferred");
    }
    return Outcome(table);
}

int RunDownload(const SCliOptions& options) {
    CTerminalUi::SAnswers answers;
    answers.targetUnit = options.targetUnit;
    answers.openPath = options.input;
    CCliDevice device(options, answers);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    if (!s.OpenButton().Ok()) return kExitFailure;
    if (const SResult download = s.DownloadButton(); !download.Completed()) {
        if (CTerminalUi::Interrupted()) return kExitInterrupted;
        // A file error was shown already, as every message is.
        if (download.code != ResultCode::kFileError) PrintError(download.message);
        return kExitFailure;
    }
    const CMenuParamTable& table = *s.Table();
    if (options.json) {
        PrintJson({{"model_name", s.ModelName()},
                   {"unit", s.UnitNumber()},
                   {"all_valid", table.AnyWritableNotValid() == 0},
                   {"parameters", ParametersJson(table, true)}});
    } else {
        std::cout << "Downloaded " << options.input << " to unit " << s.UnitNumber() << " ("
                  << s.ModelName() << ")\n";
        PrintNotTransferred(table, "not transferred");
    }
    return Outcome(table);
}

int RunVerify(const SCliOptions& options) {
    CTerminalUi::SAnswers answers;
    answers.openPath = options.input;
    CCliDevice device(options, answers);
    if (!device.Connect(EView::Clone)) return kExitFailure;
    CDeviceSession& s = device.Session();
    if (!s.OpenButton().Ok()) return kExitFailure;
    if (const SResult verify = s.VerifyButton(); verify.code == ResultCode::kLineLost) {
        PrintError(verify.message);
        return kExitFailure;
    }
    const CMenuParamTable& table = *s.Table();
    if (options.json) {
        nlohmann::json differing = nlohmann::json::array();
        ForEachTransferable(table, [&](const CMenuParamItem& item) {
            if (item.writable == 1 && !item.valid) differing.push_back(ParameterJson(item));
        });
        PrintJson({{"model_name", s.ModelName()},
                   {"unit", s.UnitNumber()},
                   {"all_equal", table.AnyWritableNotValid() == 0},
                   {"differing", differing}});
    } else {
        std::cout << "Verified unit " << s.UnitNumber() << " against " << options.input << ": "
                  << (table.AnyWritableNotValid() == 0 ? "all equal" : "differences") << "\n";
        PrintNotTransferred(table, "not equal");
    }
    return Outcome(table);
}
