// The dry run of a download: what it would change, read without writing.
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"

SResult CDeviceSession::DryRun() {
    if (m_busy) return Busy();
    CBusyScope busy(*this);
    LogEvent("Download dry run start.");
    if (!m_model.table) return NotConnected();
    CMenuParamTable& table = *m_model.table;
    table.ClearValid();
    m_paramStatuses.clear();
    m_ui.StartCancel();
    const bool completed = WalkOrder(table, true, "Download dry run canceled.",
                                     {m_unit, m_model.modelText}, [&](CMenuParamItem& item) {
                                         if (item.setValue.empty())
                                             return SetStatus(item, EParamStatus::NotInSet);
                                         CompareWithController(item);
                                     });
    m_ui.CloseCancel();
    m_outcome = OutcomeOfStatuses(SOperationOutcome::EOperation::Verify, completed);
    m_ui.RefreshView();
    LogEvent("Download dry run end.");
    if (!completed) return Stopped(Reason<ReasonId::kDryRunStopped>());
    return StatusResult();
}
