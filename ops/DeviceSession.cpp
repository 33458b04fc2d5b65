#include "ops/DeviceSession.h"

#include "ops/BusyScope.h"
#include "ops/ParamExchange.h"
#include "ops/ParamRoutines.h"
#include "protocol/CommLog.h"

CDeviceSession::CDeviceSession(COperatorUi& ui, const CMessageTable& catalogue)
    : m_ui(ui), m_catalogue(catalogue), m_report(ui) {
    if (m_ui.HasEventsToPump()) m_port.SetPumpHook([this] { m_ui.PumpEvents(); });
    // Every wait on the line, in routines and retry loops too, ends at a stop request.
    m_port.SetCancelCheck([this] { return StopRequested(); });
    m_port.SetWakeDescriptor(m_ui.StopWakeDescriptor());
}

bool CDeviceSession::StopRequested() {
    if (m_stopRequests < 2 && m_ui.PollCancel()) ++m_stopRequests;
    return m_stopRequests >= (m_restoring ? 2 : 1);
}

bool CDeviceSession::LostLineAt(const CMenuParamItem& item) {
    if (!m_port.LineLost()) return false;
    if (m_lineLostAt.Empty()) {
        m_lineLostAt = Reason<ReasonId::kLineLostAt>(std::to_string(item.number), item.name);
        WriteLog(English(m_lineLostAt) + "\n");
    }
    return true;
}

CDeviceSession::~CDeviceSession() { m_port.Close(); }

void CDeviceSession::SUiReport::ShowReason(const SReason& why) { ui.ShowReason(why); }

void CDeviceSession::ApplyCommSettings(const CCommSettings& settings, int unit) {
    m_settings = settings;
    m_unit = unit;
    if (m_port.IsOpen()) {
        // No disconnect routine: the line it would talk on has just changed.
        m_port.Close();
        m_connected = false;
        ResetConnectionState();
    }
    m_valuesPresent = false;
    m_ui.RefreshView();
}

DeviceLink CDeviceSession::Link() { return DeviceLink{&m_port, m_unit, m_model.tablePath}; }

SResultOf<std::string> CDeviceSession::ExecuteCommand(const CMenuCmdItem& command,
                                                      std::string_view data, int unit) {
    return ::ExecuteCommand(Link(), command, data, unit);
}

SResult CDeviceSession::RunCommandList(const CMenuCmdList& list, int unit) {
    return ::RunCommandList(Link(), list, unit);
}

SResult CDeviceSession::ApplyCondition(CMenuParamItem& item) {
    const SResultOf<bool> exists = EvaluateCondition(Link(), item, m_model.tablePath);
    item.exists = exists.value;
    return exists;
}

SResult CDeviceSession::ApplyScale(CMenuParamItem& item) {
    const SResultOf<int32_t> scale = EvaluateScale(Link(), item, m_model.tablePath);
    if (scale.Ok()) item.scale = scale.value;
    return scale;
}
