#include "ops/DeviceSession.h"

#include "ops/BusyScope.h"

CDeviceSession::CDeviceSession(COperatorUi& ui, const CMessageTable& catalogue)
    : m_ui(ui), m_catalogue(catalogue), m_report(ui) {
    m_port.SetPumpHook([this] { m_ui.PumpEvents(); });
}

CDeviceSession::~CDeviceSession() { m_port.Close(); }

void CDeviceSession::SUiReport::ShowError(const std::string& text) {
    ui.MessageBox(text, COperatorUi::BoxStyle::Ok);
}

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

SDeviceLink CDeviceSession::Link() { return SDeviceLink{&m_port, m_unit, m_model.tablePath}; }

bool CDeviceSession::ExecuteCommand(const CMenuCmdItem& command, const std::string* data,
                                    std::string* response, int unit) {
    return ::ExecuteCommand(Link(), command, data, response, unit);
}

bool CDeviceSession::RunCommandList(const CMenuCmdList& list, int unit) {
    return ::RunCommandList(Link(), list, unit);
}

bool CDeviceSession::EvaluateCondition(CMenuParamItem& item, int32_t* result) {
    return ::EvaluateCondition(Link(), item, result);
}

bool CDeviceSession::EvaluateScale(CMenuParamItem& item) { return ::EvaluateScale(Link(), item); }
