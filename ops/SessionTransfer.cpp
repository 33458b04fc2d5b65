// Upload, verify and download of the whole parameter set.
#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"

namespace {

// The parameter with this number, when it takes part in whole-set transfers.
CMenuParamItem* Transferable(CMenuParamTable& table, uint16_t number) {
    CMenuParamItem* item = table.FindByNumber(number);
    return item && item->writable != 0 ? item : nullptr;
}

}  // namespace

SResult CDeviceSession::UploadButton() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Upload button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& table = *m_model.table;

    m_ui.StartCancel();
    table.ClearValid();
    table.ClearSetValues();
    LogEvent("Upload start.");
    SOperationOutcome outcome(SOperationOutcome::EOperation::Upload);
    const bool completed = WalkOrder(table, false, "Upload canceled.", [&](CMenuParamItem& item) {
        item.ResetDerived();
        if (item.condition != 0 && !EvaluateCondition(item)) {
            ++outcome.failed;
            return;
        }
        if (!item.Exists()) {
            ++outcome.absent;
            return;
        }
        std::string raw;
        if ((item.scaleScript != 0 && !EvaluateScale(item)) ||
            !ExecuteCommand(item.readCommand, nullptr, &raw)) {
            ++outcome.failed;
            return;
        }
        item.setValue = item.RawToSetValue(raw);
        item.valid = true;
        ++outcome.transferred;
    });
    m_ui.CloseCancel();
    outcome.canceled = !completed;
    m_outcome = outcome;
    const int read = outcome.transferred;
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
    if (!completed) return Stopped("the upload");
    if (read == 0)
        return SResult::Failure(ResultCode::kNoAnswer,
                                "no parameter could be read from " + UnitOnPort(m_unit));
    return NotTransferred(table, "not transferred");
}

SResult CDeviceSession::VerifyButton() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Verify button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& table = *m_model.table;
    table.ClearValid();

    LogEvent("Verify start.");
    m_ui.StartCancel();
    SOperationOutcome outcome(SOperationOutcome::EOperation::Verify);
    const bool completed = WalkOrder(table, false, "Verify canceled.", [&](CMenuParamItem& item) {
        // The parameter's own existence stays as the setting view last saw it.
        bool existence = true;
        std::string raw;
        if (item.condition != 0 && !EvaluateCondition(item, &existence)) {
            ++outcome.failed;
        } else if (!existence) {
            ++outcome.absent;
        } else if (!ExecuteCommand(item.readCommand, nullptr, &raw)) {
            ++outcome.failed;
        } else if (item.RawToSetValue(raw) == item.setValue) {
            item.valid = true;
            ++outcome.transferred;
        } else {
            ++outcome.differs;
        }
    });
    m_ui.CloseCancel();
    outcome.canceled = !completed;
    m_outcome = outcome;
    LogEvent("Verify end.");

    FinishSetOperation(false);
    // Parameters never read are not "not equal": say only that the line was lost.
    if (!m_lineLostAt.empty()) return Stopped("the verify");
    if (table.AnyWritableNotValid() == 1)
        m_ui.OpenSidePanel();
    else
        m_ui.MessageBox(Catalogue(8), COperatorUi::BoxStyle::Ok);
    if (!completed) return Stopped("the verify");
    return NotTransferred(table, "not equal or not read");
}

SResult CDeviceSession::DownloadButton() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Download button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& current = *m_model.table;

    int unit = m_unit;
    if (!m_ui.AskUnitNumber(unit))
        return SResult::Failure(ResultCode::kCancelled,
                                "no unit number was given for the download");

    SLoadedModel target;
    const auto failed = [&](SResult result) {
        current.ClearValid();
        FinishSetOperation(true);
        return result;
    };
    if (SResult connected = ConnectAndLoad(unit, target); !connected.Ok()) {
        m_outcome = SOperationOutcome(SOperationOutcome::EOperation::Download);
        m_outcome.targetMissing = true;
        m_outcome.unit = unit;
        return failed(std::move(connected));
    }
    if (m_fileOpened) {
        bool modelDiffers = false;
        if (SResult read = ReadParameterFile(*target.table, m_openedFilePath, modelDiffers);
            !read.Ok())
            return failed(std::move(read));
    } else {
        CopySetValues(*target.table, current);
    }
    target.table->ClearValid();
    if (target.tablePath != m_model.tablePath) {
        const std::string text = ReadQuestionText("001");
        m_ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
        WriteLog(text);
    }

    if (Download(*target.table, target.modelName, unit) == 0)
        return failed(Stopped("the download"));
    // The written controller is the connected one from now on; the one before does not
    // stay in the write mode the setting view put it in.
    RunWriteLeaveList();
    m_model = std::move(target);
    m_unit = unit;
    m_currentIndex = 0;
    m_setSourceText = m_model.modelName;
    FinishSetOperation(true);
    return NotTransferred(*m_model.table, "not written");
}

int CDeviceSession::Download(CMenuParamTable& table, const std::string& modelName, int unit) {
    LogEvent("Download start.");
    WriteLog("Download before action start.\n");
    if (!RunDownloadAction(true, modelName, unit)) WriteLog("Download before action error.\n");
    WriteLog("Download before action end.\n");

    m_ui.StartCancel();
    SOperationOutcome outcome(SOperationOutcome::EOperation::Download);
    outcome.unit = unit;
    const int result =
        WalkOrder(table, true, "Download canceled.",
                  [&](CMenuParamItem& item) {
                      if (item.setValue.empty()) {
                          ++outcome.notInSet;
                          return;
                      }
                      // A value that does not convert is not sent: a write command without data
                      // would put who knows what into the controller.
                      const std::string data = item.SetValueToRaw(item.setValue);
                      if ((item.WriteMode16() == 1 && !RunCommandList(item.writeEnterList, unit)) ||
                          data.empty() ||
                          !ExecuteCommand(item.writeCommand, &data, nullptr, unit)) {
                          ++outcome.failed;
                          return;
                      }
                      item.valid = true;
                      ++outcome.transferred;
                  })
            ? 1
            : 0;
    m_ui.CloseCancel();
    outcome.canceled = result == 0;
    m_outcome = outcome;

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

bool CDeviceSession::WalkOrder(CMenuParamTable& table, bool downloadOrder, const char* canceledLine,
                               const std::function<void(CMenuParamItem&)>& visit) {
    const size_t count = downloadOrder ? table.GetDownloadCount() : table.GetUploadCount();
    bool completed = true;
    for (size_t i = 0; i < count; ++i) {
        m_ui.Progress(static_cast<int>(i), static_cast<int>(count));
        if (StopRequested()) {
            LogEvent(canceledLine);
            completed = false;
            break;
        }
        CMenuParamItem* item = Transferable(
            table, downloadOrder ? table.GetDownloadNumber(i) : table.GetUploadNumber(i));
        if (item) visit(*item);
        if (item && LostLineAt(*item)) {
            completed = false;
            break;
        }
    }
    m_ui.Progress(static_cast<int>(count), static_cast<int>(count));
    return completed;
}

SResult CDeviceSession::NotTransferred(const CMenuParamTable& table, const char* what) const {
    const size_t count = table.CountWritableNotValid();
    if (count == 0) return SResult::Success();
    return SResult::Failure(
        ResultCode::kIncomplete,
        std::to_string(count) + (count == 1 ? " parameter " : " parameters ") + what);
}

SResult CDeviceSession::Stopped(const char* operation) const {
    if (!m_lineLostAt.empty()) return SResult::Failure(ResultCode::kLineLost, m_lineLostAt);
    return Cancelled(operation);
}

SResult CDeviceSession::Cancelled(const char* operation) {
    return SResult::Failure(ResultCode::kCancelled, std::string(operation) + " was stopped");
}

void CDeviceSession::FinishSetOperation(bool openPanelWhenNotValid) {
    m_ui.RefreshSidePanel();
    m_ui.RefreshView();
    if (openPanelWhenNotValid && m_model.table && m_model.table->AnyWritableNotValid() == 1)
        m_ui.OpenSidePanel();
}
