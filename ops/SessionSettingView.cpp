// The setting view: one parameter at a time, read live, stepped through and written.
#include "app/ConfigFiles.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "ops/RestoreScope.h"
#include "protocol/CommLog.h"

bool CDeviceSession::ShowItem(int index) {
    CMenuParamItem* item = m_model.table && index >= 0 ? m_model.table->GetItem(index) : nullptr;
    if (!item) return false;
    SSettingView& view = m_settingView;
    view.currentValue.clear();
    view.currentName = item->name;
    view.newValue.clear();
    item->ResetDerived();

    bool conditionOk = true;
    bool scaleOk = true;
    bool result = true;
    if (item->condition != 0) result = conditionOk = EvaluateCondition(*item);
    if (result) {
        if (!item->Exists()) {
            result = false;
        } else if ((result = ExecuteCommand(item->readCommand, nullptr, &item->settingText))) {
            if (item->scaleScript != 0) result = scaleOk = EvaluateScale(*item);
            if (result) view.currentValue = item->ToDisplayText(item->settingText);
        }
    }
    // A parameter that does not exist is shown by its name alone, and counts as shown.
    if (conditionOk && scaleOk && !item->Exists()) result = true;

    const bool settingSelected = m_view == EView::Setting;
    if (item->writable == 1 && item->Exists() && scaleOk) {
        if (settingSelected) view.writeCheckEnabled = true;
        const bool freelyWritable = item->WriteMode16() == 0;
        if (settingSelected) view.newValueEnabled = freelyWritable;
        view.writeCheck = freelyWritable;
        view.writeModeNeeded = !freelyWritable;
    } else {
        view.writeModeNeeded = false;
        view.writeCheckEnabled = false;
        view.newValueEnabled = false;
        view.writeCheck = false;
    }
    view.decimalPlaces = item->DecimalPlaces();

    const int count = static_cast<int>(m_model.table->GetCount());
    view.previousName = index > 0 ? m_model.table->GetItem(index - 1)->name : std::string();
    view.nextName = index + 1 < count ? m_model.table->GetItem(index + 1)->name : std::string();
    if (settingSelected) {
        view.upEnabled = index > 0;
        view.downEnabled = index + 1 < count;
    }
    m_ui.RefreshView();
    return result;
}

void CDeviceSession::ShowFrom(int index, bool forward) {
    const int count = m_model.table ? static_cast<int>(m_model.table->GetCount()) : 0;
    if (index < 0 || index >= count) return;
    const int limit = forward ? count - 1 : 0;
    m_settingView.problem.clear();
    m_port.SetLastFailure({});
    bool searching = false;
    bool shown = false;
    while (!(shown = ShowItem(index))) {
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
    if (!shown) m_settingView.problem = m_port.WithLastFailure("cannot be read");
    m_currentIndex = index;
    m_ui.RefreshView();
}

void CDeviceSession::SetView(EView view) {
    if (view == EView::Clone) {
        LogEvent("Clone view radio-button clicked.");
        m_view = EView::Clone;
        m_settingView.valueChanged = false;
        m_ui.RefreshView();
        return;
    }
    LogEvent("Setting view radio-button clicked.");
    if (m_busy) return;
    {
        CBusyScope busy(*this);
        m_view = EView::Setting;
        m_setSourceText.clear();
        if (m_currentIndex == 0) m_settingView.upEnabled = false;
        if (m_connected) ShowFrom(m_currentIndex, true);
    }
    m_settingView.valueChanged = false;
    m_valuesPresent = false;
    m_paramStatuses.clear();
    m_setSourceText.clear();
    m_ui.RefreshView();
}

void CDeviceSession::StepUp() {
    if (m_busy) return;
    CBusyScope busy(*this);
    LogEvent("Up Arrow button pushed.");
    if (m_currentIndex > 0) ShowFrom(m_currentIndex - 1, false);
    m_settingView.valueChanged = false;
    m_ui.RefreshView();
}

void CDeviceSession::StepDown() {
    if (m_busy) return;
    CBusyScope busy(*this);
    LogEvent("Down Arrow button pushed.");
    if (m_model.table && m_currentIndex + 1 < static_cast<int>(m_model.table->GetCount()))
        ShowFrom(m_currentIndex + 1, true);
    m_settingView.valueChanged = false;
    m_ui.RefreshView();
}

void CDeviceSession::GoToItem(int index) {
    if (m_busy || !m_connected || m_view != EView::Setting) return;
    CBusyScope busy(*this);
    ShowFrom(index, true);
    m_settingView.valueChanged = false;
    m_ui.RefreshView();
}

bool CDeviceSession::SelectItem(int index) {
    if (m_busy || !m_model.table || index < 0 ||
        index >= static_cast<int>(m_model.table->GetCount()))
        return false;
    m_currentIndex = index;
    return ShowItem(index);
}

void CDeviceSession::SetWriteMode(bool checked) {
    LogEvent("Write Check-box checked.");
    if (m_busy) return;
    CBusyScope busy(*this);
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    if (!item) return;
    SSettingView& view = m_settingView;
    view.problem.clear();
    view.writeCheck = checked;
    if (checked && item->WriteMode16() == 1 &&
        m_ui.MessageBox(ReadQuestionText("100"), COperatorUi::BoxStyle::OkCancelWarning) ==
            COperatorUi::BoxAnswer::Cancel) {
        view.writeCheck = !checked;
        m_ui.RefreshView();
        return;
    }
    m_port.SetLastFailure({});
    if (!checked && m_writeModeIndex >= 0) {
        // Leaving is put back in any case: a refusal leaves the box unticked, and says so loudly.
        if (SResult left = RunWriteLeaveList(); !left.Ok()) {
            view.problem = left.message;
            m_ui.MessageBox(left.message, COperatorUi::BoxStyle::Ok);
        }
        view.newValueEnabled = false;
    } else if (SwitchWriteMode(checked)) {
        view.newValueEnabled = checked;
    } else {
        view.writeCheck = !checked;
        view.problem =
            m_port.WithLastFailure(checked ? "write mode not entered" : "write mode not left");
    }
    view.valueChanged = false;
    m_ui.RefreshView();
}

bool CDeviceSession::SwitchWriteMode(bool on) {
    if (!on && m_writeModeIndex >= 0) return RunWriteLeaveList().Ok();
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    if (!item || !RunCommandList(on ? item->writeEnterList : item->writeLeaveList)) return false;
    m_writeModeIndex = on ? m_currentIndex : -1;
    return true;
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
    if (!item) return SResult::Success();
    CRestoreScope restoring(*this);
    m_port.SetLastFailure({});
    const bool left = RunCommandList(item->writeLeaveList);
    if (m_settingView.writeCheck && item->WriteMode16() == 1) m_settingView.writeCheck = false;
    if (left) return SResult::Success();
    return NotRestored(restoring.Interrupted()
                           ? "leaving write mode was stopped"
                           : m_port.WithLastFailure("unit " + std::to_string(m_unit) +
                                                    " did not confirm leaving write mode"),
                       "in write mode", m_unit);
}

SResult CDeviceSession::NotRestored(const std::string& failure, const std::string& state,
                                    int unit) const {
    return SResult::Failure(ResultCode::kNotRestored,
                            failure + "; unit " + std::to_string(unit) + " may still be " + state);
}

void CDeviceSession::Write(const std::string& newValue) {
    if (m_busy) return;
    CBusyScope busy(*this);
    LogEvent("Parameter edit return key pushed.");
    SSettingView& view = m_settingView;
    view.newValue = newValue;
    const std::string keptValue = view.currentValue;
    CMenuParamItem* item = m_model.table ? m_model.table->GetItem(m_currentIndex) : nullptr;
    view.problem.clear();
    view.readBackFailed = false;
    if (newValue.empty() || !item) return;
    EvaluateScale(*item);
    // A value the field cannot carry would be written as another one: refuse it unwritten.
    const std::string refusal = item->WriteValueProblem(newValue);
    const std::string data = refusal.empty() ? item->ToDeviceText(newValue) : "";
    if (data.empty()) {
        view.valueChanged = true;
        view.problem = (refusal.empty() ? "\"" + newValue + "\" cannot be written" : refusal) +
                       "; nothing written";
        m_ui.RefreshView();
        return;
    }

    view.valueChanged = false;
    m_port.SetLastFailure({});
    if (!ExecuteCommand(item->writeCommand, &data, nullptr)) {
        view.valueChanged = true;
        view.problem = m_port.WithLastFailure("not written");
    }
    if (!ShowItem(m_currentIndex)) {
        // The value went out; only its read-back did not come: it may well be on the controller.
        view.readBackFailed = !view.valueChanged;
        if (view.readBackFailed)
            view.problem = m_port.WithLastFailure("written, but reading it back failed");
        view.valueChanged = true;
        view.currentValue = keptValue;
    }
    view.writeCheck = true;
    view.writeCheckEnabled = true;
    view.newValueEnabled = true;
    m_ui.RefreshView();
}
