// Upload, verify and download of the whole parameter set.
#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "script/RunRoutine.h"
#include "protocol/CommLog.h"
#include "script/VarItem.h"

namespace {

// The parameter with this number, when it takes part in whole-set transfers.
CMenuParamItem* Transferable(CMenuParamTable& table, uint16_t number) {
    CMenuParamItem* item = table.FindByNumber(number);
    return item && item->writable != 0 ? item : nullptr;
}

}  // namespace

void CDeviceSession::UploadButton() {
    if (m_busy) return;
    CBusyScope busy(*this);
    LogEvent("Upload button pushed.");
    if (!m_model.table) return;
    CMenuParamTable& table = *m_model.table;

    m_ui.StartCancel();
    table.ClearValid();
    table.ClearSetValues();
    LogEvent("Upload start.");
    int read = 0;
    const size_t count = table.GetUploadCount();
    for (size_t i = 0; i < count; ++i) {
        m_ui.Progress(static_cast<int>(i), static_cast<int>(count));
        if (m_ui.PollCancel()) {
            LogEvent("Upload canceled.");
            break;
        }
        CMenuParamItem* item = Transferable(table, table.GetUploadNumber(i));
        if (!item) continue;
        item->ResetDerived();
        if (item->condition != 0 && !EvaluateCondition(*item)) continue;
        if (item->Exists() == 0) continue;
        if (item->scaleScript != 0 && !EvaluateScale(*item)) continue;
        std::string raw;
        if (!ExecuteCommand(item->readCommand, nullptr, &raw)) continue;
        item->setValue = item->RawToSetValue(raw);
        item->valid = 1;
        ++read;
    }
    m_ui.Progress(static_cast<int>(count), static_cast<int>(count));
    m_ui.CloseCancel();
    if (read > 0) {
        m_valuesPresent = true;
        m_fileOpened = false;
        m_openedFilePath.clear();
        m_setSourceText = m_model.modelName;
    } else {
        m_setSourceText.clear();
    }
    FinishSetOperation(true);
    LogEvent("Upload end.");
}

void CDeviceSession::VerifyButton() {
    if (m_busy) return;
    CBusyScope busy(*this);
    LogEvent("Verify button pushed.");
    if (!m_model.table) return;
    CMenuParamTable& table = *m_model.table;
    table.ClearValid();

    LogEvent("Verify start.");
    m_ui.StartCancel();
    const size_t count = table.GetUploadCount();
    for (size_t i = 0; i < count; ++i) {
        m_ui.Progress(static_cast<int>(i), static_cast<int>(count));
        if (m_ui.PollCancel()) {
            LogEvent("Verify canceled.");
            break;
        }
        CMenuParamItem* item = Transferable(table, table.GetUploadNumber(i));
        if (!item) continue;
        // The parameter's own existence stays as the setting view last saw it.
        int32_t existence = 1;
        if (item->condition != 0 && !EvaluateCondition(*item, &existence)) continue;
        if (existence == 0) continue;
        std::string raw;
        if (!ExecuteCommand(item->readCommand, nullptr, &raw)) continue;
        if (item->RawToSetValue(raw) == item->setValue) item->valid = 1;
    }
    m_ui.Progress(static_cast<int>(count), static_cast<int>(count));
    m_ui.CloseCancel();
    LogEvent("Verify end.");

    FinishSetOperation(false);
    if (table.AnyWritableNotValid() == 1)
        m_ui.OpenSidePanel();
    else
        m_ui.MessageBox(Catalogue(8), COperatorUi::BoxStyle::Ok);
}

bool CDeviceSession::DownloadButton() {
    if (m_busy) return false;
    CBusyScope busy(*this);
    LogEvent("Download button pushed.");
    if (!m_model.table) return false;
    CMenuParamTable& current = *m_model.table;

    int unit = m_unit;
    if (!m_ui.AskUnitNumber(unit)) return false;

    SLoadedModel target;
    if (!ConnectAndLoad(unit, target)) {
        current.ClearValid();
        FinishSetOperation(true);
        return false;
    }
    if (m_fileOpened) {
        bool modelDiffers = false;
        if (!ReadParameterFile(*target.table, m_openedFilePath, modelDiffers)) {
            current.ClearValid();
            FinishSetOperation(true);
            return false;
        }
    } else {
        CopySetValues(*target.table, current);
    }
    target.table->ClearValid();
    if (target.tablePath != m_model.tablePath) {
        const std::string text = ReadQuestionText("001");
        m_ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
        WriteLog(text);
    }

    if (Download(*target.table, target.modelName, unit) == 0) {
        current.ClearValid();
        FinishSetOperation(true);
        return false;
    }
    // The written controller is the connected one from now on.
    m_model = std::move(target);
    m_unit = unit;
    m_currentIndex = 0;
    m_setSourceText = m_model.modelName;
    FinishSetOperation(true);
    return true;
}

int CDeviceSession::Download(CMenuParamTable& table, const std::string& modelName, int unit) {
    LogEvent("Download start.");
    WriteLog("Download before action start.\n");
    if (!RunDownloadAction(true, modelName, unit)) WriteLog("Download before action error.\n");
    WriteLog("Download before action end.\n");

    m_ui.StartCancel();
    int result = 1;
    const size_t count = table.GetDownloadCount();
    for (size_t i = 0; i < count; ++i) {
        m_ui.Progress(static_cast<int>(i), static_cast<int>(count));
        if (m_ui.PollCancel()) {
            LogEvent("Download canceled.");
            result = 0;
            break;
        }
        CMenuParamItem* item = Transferable(table, table.GetDownloadNumber(i));
        if (!item || item->setValue.empty()) continue;
        if (item->WriteMode16() == 1 && !RunCommandList(item->writeEnterList, unit)) continue;
        // A value that does not convert is not sent: a write command without data
        // would put who knows what into the controller.
        const std::string data = item->SetValueToRaw(item->setValue);
        if (data.empty()) continue;
        if (ExecuteCommand(item->writeCommand, &data, nullptr, unit)) item->valid = 1;
    }
    m_ui.Progress(static_cast<int>(count), static_cast<int>(count));
    m_ui.CloseCancel();

    WriteLog("Download after action start.\n");
    if (!RunDownloadAction(false, modelName, unit)) WriteLog("Download after action error.\n");
    WriteLog("Download after action end.\n");
    LogEvent("Download end.");
    return result;
}

bool CDeviceSession::RunDownloadAction(bool before, const std::string& modelName, int unit) {
    CVarItem result;
    return RunScriptRoutine(FindModelFile(modelName.substr(0, 4) + ".scp"),
                      before ? "BeforeDownload" : "AfterDownload", &m_port, unit, result);
}

bool CDeviceSession::CopySetValues(CMenuParamTable& destination, const CMenuParamTable& source) {
    bool allFound = true;
    for (size_t i = 0; i < destination.GetCount(); ++i) {
        CMenuParamItem& item = *destination.GetItem(i);
        const CMenuParamItem* partner =
            item.number >= 0 && item.number <= 0xFFFF
                ? source.FindByNumber(static_cast<uint16_t>(item.number))
                : nullptr;
        if (!partner) {
            allFound = false;
            continue;
        }
        item.setValue = partner->setValue;
        item.scale = partner->scale;
    }
    return allFound;
}

void CDeviceSession::FinishSetOperation(bool openPanelWhenNotValid) {
    m_ui.RefreshSidePanel();
    m_ui.RefreshView();
    if (openPanelWhenNotValid && m_model.table && m_model.table->AnyWritableNotValid() == 1)
        m_ui.OpenSidePanel();
}
