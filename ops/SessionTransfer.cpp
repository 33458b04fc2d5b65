// Upload, verify and download of the whole parameter set.
#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "files/ParameterSet.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "ops/ModelRoutine.h"
#include "ops/ParamRoutines.h"
#include "ops/RestoreScope.h"
#include "protocol/CommLog.h"

namespace {

// The parameter with this number, when it takes part in whole-set transfers.
CMenuParamItem* Transferable(CMenuParamTable& table, uint16_t number) {
    CMenuParamItem* item = table.FindByNumber(number);
    return item && item->writable != 0 ? item : nullptr;
}

}  // namespace

SResult CDeviceSession::Upload() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Upload button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& table = *m_model.table;

    m_ui.StartCancel();
    table.ClearValid();
    table.ClearSetValues();
    m_paramStatuses.clear();
    LogEvent("Upload start.");
    const SWalkTarget target{m_unit, m_model.modelText};
    const bool completed =
        WalkOrder(table, false, "Upload canceled.", target, [&](CMenuParamItem& item) {
            item.ResetDerived();
            if (SResult condition = ApplyCondition(item); !condition.Ok())
                return SetFailed(item, condition);
            if (!item.Exists()) return SetStatus(item, EParamStatus::Absent);
            if (SResult scale = ApplyScale(item); !scale.Ok()) return SetFailed(item, scale);
            const SResultOf<std::string> raw = ExecuteCommand(item.readCommand);
            if (!raw.Ok()) return SetFailed(item, raw);
            item.setValue = item.RawToSetValue(raw.value);
            item.valid = true;
            SetStatus(item, EParamStatus::Ok);
        });
    m_ui.CloseCancel();
    m_outcome = OutcomeOfStatuses(SOperationOutcome::EOperation::Upload, completed);
    const int read = m_outcome.transferred;
    if (read > 0) {
        m_valuesPresent = true;
        m_fileOpened = false;
        m_openedFilePath.clear();
        m_setSourceText = m_model.modelName;
    } else {
        m_setSourceText.clear();
    }
    m_ui.RefreshView();
    LogEvent("Upload end.");
    if (!completed) return Stopped(Reason<ReasonId::kUploadStopped>());
    const SResult result = StatusResult();
    if (read == 0 && !result.Ok())
        return SResult::Failure(ResultCode::kNoAnswer,
                                Reason<ReasonId::kNothingRead>(UnitOnPort(m_unit)));
    return result;
}

SResult CDeviceSession::Verify() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Verify button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& table = *m_model.table;
    table.ClearValid();
    m_paramStatuses.clear();

    LogEvent("Verify start.");
    m_ui.StartCancel();
    const bool completed = WalkOrder(table, false, "Verify canceled.", {m_unit, m_model.modelText},
                                     [&](CMenuParamItem& item) { CompareWithController(item); });
    m_ui.CloseCancel();
    m_outcome = OutcomeOfStatuses(SOperationOutcome::EOperation::Verify, completed);
    LogEvent("Verify end.");

    m_ui.RefreshView();
    // Parameters never read are not "not equal": say only that the line was lost.
    if (!m_lineLostAt.Empty()) return Stopped(Reason<ReasonId::kVerifyStopped>());
    if (table.CountWritableNotValid() == 0)
        m_ui.MessageBox(Catalogue(8), COperatorUi::BoxStyle::Ok);
    if (!completed) return Stopped(Reason<ReasonId::kVerifyStopped>());
    return StatusResult();
}

SResult CDeviceSession::Download(int unit) {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Download button pushed.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& current = *m_model.table;

    SLoadedModel target;
    const auto failed = [&](SResult result) {
        current.ClearValid();
        m_ui.RefreshView();
        return result;
    };
    if (SResult connected = ConnectAndLoad(unit, target); !connected.Ok()) {
        m_outcome = SOperationOutcome(SOperationOutcome::EOperation::Download);
        m_outcome.targetMissing = true;
        m_outcome.unit = unit;
        return failed(std::move(connected));
    }
    if (m_fileOpened) {
        SSetFileNotes notes;
        if (SResult read = ReadParameterFile(*target.table, m_openedFilePath, notes); !read.Ok())
            return failed(std::move(read));
        if (!ConfirmIncompleteSet(*target.table, notes))
            return failed(SResult::Failure(ResultCode::kCancelled,
                                           Reason<ReasonId::kIncompleteNotDownloaded>()));
    } else {
        CopySetValues(*target.table, current);
    }
    target.table->ClearValid();
    if (target.tablePath != m_model.tablePath && m_otherModelRefused)
        return failed(OtherModelRefusal(Reason<ReasonId::kSetIsFor>(m_model.modelName),
                                        target.modelName, unit));
    if (target.tablePath != m_model.tablePath) {
        const std::string text = ReadQuestionText("001");
        m_ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
        WriteLog(text);
    }

    const SResult download = WriteSet(target, unit);
    if (m_outcome.canceled) return failed(download);
    // The written controller is the connected one from now on; the one before does not
    // stay in the write mode the setting view put it in.
    SResult left = RunWriteLeaveList();
    m_model = std::move(target);
    m_unit = unit;
    m_currentIndex = 0;
    m_setSourceText = m_model.modelName;
    m_ui.RefreshView();
    return download.Ok() ? left : download;
}

SResult CDeviceSession::WriteSet(const SLoadedModel& target, int unit) {
    CMenuParamTable& table = *target.table;
    const std::string& modelName = target.modelName;
    m_paramStatuses.clear();
    LogEvent("Download start.");
    WriteLog("Download before action start.\n");
    const SResultOf<ERoutineEnd> before = RunDownloadAction(true, modelName, unit);
    // The log names a routine that could not be read as before; only one that is there and
    // failed fails the download.
    if (before.value != ERoutineEnd::Ran) WriteLog("Download before action error.\n");
    WriteLog("Download before action end.\n");

    m_ui.StartCancel();
    const bool completed = WalkOrder(
        table, true, "Download canceled.", {unit, target.modelText}, [&](CMenuParamItem& item) {
            if (item.setValue.empty()) return SetStatus(item, EParamStatus::NotInSet);
            if (item.WriteMode16() == 1) {
                if (SResult entered = RunCommandList(item.writeEnterList, unit); !entered.Ok())
                    return SetFailed(item, entered);
            }
            // A value that does not convert is not sent: a write command without data
            // would put who knows what into the controller.
            const std::string data = item.SetValueToRaw(item.setValue);
            if (data.empty()) return SetStatus(item, EParamStatus::Failed);
            if (SResult written = ExecuteCommand(item.writeCommand, data, unit); !written.Ok())
                return SetFailed(item, written);
            item.valid = true;
            SetStatus(item, EParamStatus::Ok);
        });
    m_ui.CloseCancel();
    m_outcome = OutcomeOfStatuses(SOperationOutcome::EOperation::Download, completed);
    m_outcome.unit = unit;

    // The after routine runs on every way out, a stop request included: it puts the controller
    // back (out of write mode, running) and stores what was written so far.
    WriteLog("Download after action start.\n");
    SResultOf<ERoutineEnd> after;
    SResult notRestored;
    {
        CRestoreScope restoring(*this);
        after = RunDownloadAction(false, modelName, unit);
        if (!after.Ok())
            notRestored = NotRestored(
                restoring.Interrupted() ? Reason<ReasonId::kAfterDownloadStopped>()
                                        : FailedOnUnit(ReasonId::kAfterDownloadFailed, unit, after),
                ReasonId::kMayBeStoppedInWriteMode, unit);
    }
    if (after.value != ERoutineEnd::Ran) WriteLog("Download after action error.\n");
    WriteLog("Download after action end.\n");
    LogEvent("Download end.");
    // A controller that may not be back says so before anything else.
    if (!m_lineLostAt.Empty() && !notRestored.Ok())
        return SResult::Failure(
            ResultCode::kLineLost,
            NotRestored(m_lineLostAt, ReasonId::kMayBeStoppedInWriteMode, unit).reason);
    if (!notRestored.Ok()) {
        // The stop came first; the message says both.
        if (!completed)
            notRestored = notRestored.Explained(Reason<ReasonId::kThen>(
                Cancelled(Reason<ReasonId::kDownloadStopped>()).reason, notRestored.reason));
        return notRestored;
    }
    if (!completed) return Stopped(Reason<ReasonId::kDownloadStopped>());
    if (!before.Ok())
        return SResult::Failure(ResultCode::kBadAnswer,
                                FailedOnUnit(ReasonId::kBeforeDownloadFailed, unit, before));
    return StatusResult();
}

SResultOf<ERoutineEnd> CDeviceSession::RunDownloadAction(bool before, const std::string& modelName,
                                                         int unit) {
    return RunModelRoutine(FindModelFile(modelName.substr(0, 4) + ".scp"),
                           before ? "BeforeDownload" : "AfterDownload", &m_port, unit);
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
                               const SWalkTarget& target,
                               const std::function<void(CMenuParamItem&)>& visit) {
    const size_t count = downloadOrder ? table.GetDownloadCount() : table.GetUploadCount();
    bool completed = true;
    m_firstFailure = {};
    for (size_t i = 0; i < count && completed; ++i) {
        m_ui.Progress(static_cast<int>(i), static_cast<int>(count));
        if (StopRequested()) {
            LogEvent(canceledLine);
            completed = false;
            break;
        }
        CMenuParamItem* item = Transferable(
            table, downloadOrder ? table.GetDownloadNumber(i) : table.GetUploadNumber(i));
        if (!item) continue;
        const size_t statusesBefore = m_paramStatuses.size();
        const SReason firstFailureBefore = m_firstFailure;
        visit(*item);
        while (LostLineAt(*item)) {
            if (!LineCameBack(target) || !SameValuesCameBack(table, statusesBefore, target)) {
                completed = false;
                break;
            }
            // The parameter that met the lost line is done again on the line that came back.
            m_lineLostAt = {};
            m_paramStatuses.resize(statusesBefore);
            m_firstFailure = firstFailureBefore;
            visit(*item);
        }
    }
    m_ui.Progress(static_cast<int>(count), static_cast<int>(count));
    return completed;
}

void CDeviceSession::CompareWithController(CMenuParamItem& item) {
    // The parameter's own existence stays as the setting view last saw it.
    const SResultOf<bool> existence = EvaluateCondition(Link(), item, m_model.tablePath);
    if (!existence.Ok()) return SetFailed(item, existence);
    if (!existence.value) return SetStatus(item, EParamStatus::Absent);
    const SResultOf<std::string> raw = ExecuteCommand(item.readCommand);
    if (!raw.Ok()) return SetFailed(item, raw);
    std::string deviceValue = item.RawToSetValue(raw.value);
    if (deviceValue != item.setValue)
        return SetStatus(item, EParamStatus::Differs, std::move(deviceValue));
    item.valid = true;
    SetStatus(item, EParamStatus::Ok, std::move(deviceValue));
}

void CDeviceSession::SetStatus(const CMenuParamItem& item, EParamStatus status,
                               std::string deviceValue) {
    m_paramStatuses.push_back({item.number, status, std::move(deviceValue)});
}

void CDeviceSession::SetFailed(const CMenuParamItem& item, const SResult& why) {
    if (m_firstFailure.Empty() && !why.reason.Empty())
        m_firstFailure =
            Reason<ReasonId::kParameterFailure>(std::to_string(item.number), item.name, why.reason);
    SetStatus(item, EParamStatus::Failed);
}

SReason CDeviceSession::FailedOnUnit(ReasonId failed, int unit, const SResult& why) const {
    return Because(SReason(failed, {UnitOnPort(unit)}), why);
}

SResult CDeviceSession::StatusResult() const {
    const SOperationOutcome counts = OutcomeOfStatuses(SOperationOutcome::EOperation::None, true);
    const int failed = counts.failed;
    const int differs = counts.differs;
    if (failed == 0 && differs == 0) return SResult::Success();
    const std::string failedCount = std::to_string(failed);
    SReason why;
    if (failed > 0 && m_firstFailure.Empty())
        why = failed == 1 ? Reason<ReasonId::kOneFailed>(failedCount)
                          : Reason<ReasonId::kManyFailed>(failedCount);
    else if (failed > 0)
        why = failed == 1 ? Reason<ReasonId::kOneFailedAt>(failedCount, m_firstFailure)
                          : Reason<ReasonId::kManyFailedFirstAt>(failedCount, m_firstFailure);
    if (differs > 0) {
        const std::string count = std::to_string(differs);
        SReason differing = differs == 1 ? Reason<ReasonId::kOneDiffers>(count)
                                         : Reason<ReasonId::kManyDiffer>(count);
        why = why.Empty() ? std::move(differing)
                          : Reason<ReasonId::kAlso>(std::move(why), std::move(differing));
    }
    return SResult::Failure(ResultCode::kIncomplete, std::move(why));
}

SOperationOutcome CDeviceSession::OutcomeOfStatuses(SOperationOutcome::EOperation operation,
                                                    bool completed) const {
    SOperationOutcome outcome = CountStatuses(m_paramStatuses, operation);
    outcome.canceled = !completed;
    return outcome;
}

SOperationOutcome CountStatuses(const std::vector<SParamStatus>& statuses,
                                SOperationOutcome::EOperation operation) {
    SOperationOutcome outcome(operation);
    for (const SParamStatus& entry : statuses) {
        switch (entry.status) {
            case EParamStatus::Ok:
                ++outcome.transferred;
                break;
            case EParamStatus::Absent:
                ++outcome.absent;
                break;
            case EParamStatus::NotInSet:
                ++outcome.notInSet;
                break;
            case EParamStatus::Failed:
                ++outcome.failed;
                break;
            case EParamStatus::Differs:
                ++outcome.differs;
                break;
        }
    }
    return outcome;
}

SResult CDeviceSession::Stopped(SReason stopped) const {
    if (!m_lineLostAt.Empty()) return SResult::Failure(ResultCode::kLineLost, m_lineLostAt);
    return Cancelled(std::move(stopped));
}

SResult CDeviceSession::Cancelled(SReason stopped) {
    return SResult::Failure(ResultCode::kCancelled, std::move(stopped));
}
