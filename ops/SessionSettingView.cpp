// The setting view: one parameter at a time, read live, stepped through and written.
#include "app/ConfigFiles.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "ops/RestoreScope.h"
#include "protocol/CommLog.h"

SResult CDeviceSession::ShowItem(int index) {
    CMenuParamItem* item = m_model.table && index >= 0 ? m_model.table->GetItem(index) : nullptr;
    if (!item) return NotConnected();
    SShownParameter& shown = m_shown;
    shown.currentValue.clear();
    shown.currentName = item->name;
    item->ResetDerived();

    // A parameter that does not exist is shown by its name alone, and counts as shown.
    SResult result = ApplyCondition(*item);
    bool scaleOk = true;
    if (result.Ok() && item->Exists()) {
        SResultOf<std::string> read = ExecuteCommand(item->readCommand);
        if (read.Ok()) {
            item->settingText = std::move(read.value);
            result = ApplyScale(*item);
            scaleOk = result.Ok();
            if (scaleOk) shown.currentValue = item->ToDisplayText(item->settingText);
        } else {
            result = std::move(read);
        }
    }
    shown.writable = item->writable == 1 && item->Exists() && scaleOk;
    shown.writeModeNeeded = shown.writable && item->WriteMode16() != 0;
    shown.decimalPlaces = item->DecimalPlaces();

    const int count = static_cast<int>(m_model.table->GetCount());
    shown.hasPrevious = index > 0;
    shown.hasNext = index + 1 < count;
    shown.previousName =
        shown.hasPrevious ? m_model.table->GetItem(index - 1)->name : std::string();
    shown.nextName = shown.hasNext ? m_model.table->GetItem(index + 1)->name : std::string();
    m_ui.RefreshView();
    return result;
}

SResult CDeviceSession::ShowFrom(int index, bool forward) {
    const int count = m_model.table ? static_cast<int>(m_model.table->GetCount()) : 0;
    if (index < 0 || index >= count) return SResult::Success();
    const int limit = forward ? count - 1 : 0;
    m_shown.unreadReason = {};
    bool searching = false;
    SResult shown;
    while (!(shown = ShowItem(index)).Ok()) {
        // The operator may stop a long search through unreadable parameters.
        if (!searching) {
            m_ui.StartCancel();
            searching = true;
        }
        m_ui.Progress(index, count);
        if (StopRequested() || LostLineAt(*m_model.table->GetItem(index)) || index == limit) break;
        index += forward ? 1 : -1;
        m_ui.PumpEvents();
    }
    if (searching) m_ui.CloseCancel();
    if (!shown.Ok()) m_shown.unreadReason = Because(Reason<ReasonId::kCannotBeRead>(), shown);
    m_currentIndex = index;
    m_ui.RefreshView();
    return shown;
}

void CDeviceSession::SetView(EView view) {
    if (view == EView::Clone) {
        LogEvent("Clone view radio-button clicked.");
        m_view = EView::Clone;
        m_ui.RefreshView();
        return;
    }
    LogEvent("Setting view radio-button clicked.");
    if (m_busy) return;
    {
        CBusyScope busy(*this);
        m_view = EView::Setting;
        m_setSourceText.clear();
        if (m_connected) ShowFrom(m_currentIndex, true);
    }
    m_valuesPresent = false;
    m_paramStatuses.clear();
    m_setSourceText.clear();
    m_ui.RefreshView();
}

SResult CDeviceSession::StepUp() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Up Arrow button pushed.");
    return m_currentIndex > 0 ? ShowFrom(m_currentIndex - 1, false) : SResult::Success();
}

SResult CDeviceSession::StepDown() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Down Arrow button pushed.");
    return m_model.table && m_currentIndex + 1 < static_cast<int>(m_model.table->GetCount())
               ? ShowFrom(m_currentIndex + 1, true)
               : SResult::Success();
}

SResult CDeviceSession::GoToItem(int index) {
    if (m_busy) return Busy();
    if (!m_connected || m_view != EView::Setting) return NotConnected();
    CBusyScope busy(*this);
    return ShowFrom(index, true);
}

SResult CDeviceSession::Read(int index) {
    if (m_busy) return Busy();
    if (!m_model.table || index < 0 || index >= static_cast<int>(m_model.table->GetCount()))
        return NotConnected();
    m_currentIndex = index;
    return ShowItem(index);
}

SResult CDeviceSession::ReadUnlessShown(int index) {
    return index == m_currentIndex ? SResult::Success() : Read(index);
}

SResult CDeviceSession::SetWriteMode(int index, bool checked) {
    LogEvent("Write Check-box checked.");
    if (m_busy) return Busy();
    if (SResult read = ReadUnlessShown(index); !read.Ok()) return read;
    CBusyScope busy(*this);
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    if (!item) return NotConnected();
    if (checked && item->WriteMode16() == 1 &&
        m_ui.MessageBox(ReadQuestionText("100"), COperatorUi::BoxStyle::OkCancelWarning) ==
            COperatorUi::BoxAnswer::Cancel) {
        m_ui.RefreshView();
        return SResult::Failure(ResultCode::kCancelled, Reason<ReasonId::kWriteModeNotEntered>());
    }
    SResult switched;
    if (!checked && m_writeModeIndex >= 0) {
        // Leaving is put back in any case: a refusal leaves the box unticked, and says so loudly.
        switched = RunWriteLeaveList();
        if (!switched.Ok()) m_ui.ShowReason(switched.reason);
    } else if (!(switched = SwitchWriteMode(checked)).Ok()) {
        switched = switched.Explained(Because(checked ? Reason<ReasonId::kWriteModeNotEntered>()
                                                      : Reason<ReasonId::kWriteModeNotLeft>(),
                                              switched));
    }
    m_ui.RefreshView();
    return switched;
}

SResult CDeviceSession::SwitchWriteMode(bool on) {
    if (!on && m_writeModeIndex >= 0) return RunWriteLeaveList();
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    if (!item) return NotConnected();
    SResult switched = RunCommandList(on ? item->writeEnterList : item->writeLeaveList);
    // An entry whose answer was lost or unusable may have taken effect all the same: the leave
    // list then runs when the line is left, as after a confirmed entry.
    if (on || switched.Ok()) m_writeModeIndex = on ? m_currentIndex : -1;
    m_writeModeEntered = on && switched.Ok();
    return switched;
}

SResult CDeviceSession::LeaveWriteMode() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    SResult left = RunWriteLeaveList();
    m_ui.RefreshView();
    return left;
}

SResult CDeviceSession::RunWriteLeaveList() {
    const CMenuParamItem* item =
        m_model.table && m_writeModeIndex >= 0 ? m_model.table->GetItem(m_writeModeIndex) : nullptr;
    m_writeModeIndex = -1;
    m_writeModeEntered = false;
    if (!item) return SResult::Success();
    CRestoreScope restoring(*this);
    const SResult left = RunCommandList(item->writeLeaveList);
    if (left.Ok()) return left;
    return NotRestored(
        restoring.Interrupted()
            ? Reason<ReasonId::kLeavingStopped>()
            : Because(Reason<ReasonId::kLeaveNotConfirmed>(std::to_string(m_unit)), left),
        ReasonId::kMayBeInWriteMode, m_unit);
}

SResult CDeviceSession::NotRestored(SReason failure, ReasonId mayBe, int unit) {
    return SResult::Failure(ResultCode::kNotRestored,
                            SReason(mayBe, {std::move(failure), std::to_string(unit)}));
}

SResult CDeviceSession::Write(int index, const std::string& newValue) {
    if (m_busy) return Busy();
    if (SResult read = ReadUnlessShown(index); !read.Ok()) return read;
    CBusyScope busy(*this);
    LogEvent("Parameter edit return key pushed.");
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    if (!item) return NotConnected();
    if (newValue.empty()) return SResult::Success();
    ApplyScale(*item);
    // A value the field cannot carry would be written as another one: refuse it unwritten.
    const SReason refusal = item->WriteValueProblem(newValue);
    const std::string data = refusal.Empty() ? item->ToDeviceText(newValue) : "";
    if (data.empty())
        return SResult::Failure(
            ResultCode::kBadValue,
            Reason<ReasonId::kNothingWritten>(
                refusal.Empty() ? Reason<ReasonId::kCannotBeWritten>(newValue) : refusal));

    const SShownParameter before = m_shown;
    SResult written = ExecuteCommand(item->writeCommand, data);
    if (!written.Ok())
        written = written.Explained(Because(Reason<ReasonId::kNotWritten>(), written));
    if (SResult shown = ShowItem(m_currentIndex); !shown.Ok()) {
        // The value went out; only its read-back did not come: it may well be on the controller.
        if (written.Ok())
            written = SResult::Failure(ResultCode::kIncomplete,
                                       Because(Reason<ReasonId::kReadBackFailed>(), shown));
        // The value last read stays shown, and the parameter open to another try.
        m_shown = before;
    }
    m_ui.RefreshView();
    return written;
}
