// Connecting to a controller, identifying its model and loading the model's files;
// disconnecting again.
#include "app/Folders.h"
#include "app/SectionReader.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "params/ModelIndex.h"
#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/QuadrelExchange.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"

namespace {

constexpr uint16_t kModelRequestCode = 0x0503;
constexpr int kModelRequestAttempts = 3;
constexpr uint16_t kModelRequestTimeoutMs = 5000;

// The model files are chosen by the first four characters of a text the controller
// sends; one that could step out of the model folders is refused.
bool IsSafeModelPrefix(const std::string& prefix) {
    for (unsigned char c : prefix)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    return prefix != "." && prefix != "..";
}

std::string PictureOf(const std::string& scriptPath) {
    std::vector<std::string> lines;
    if (!ReadFileSection(scriptPath, "TCImage", lines)) return {};
    return FindModelFile(lines.front());
}

}  // namespace

void CDeviceSession::ConnectButton() {
    LogEvent("Connect button pushed.");
    if (m_busy) return;
    {
        CBusyScope busy(*this);
        if (m_connected || !Connect()) Disconnect();
    }
    m_ui.RefreshView();
}

bool CDeviceSession::OpenPort() {
    m_port.SetSettings(m_settings.portName, m_settings.baudRate, m_settings.dataBits,
                       m_settings.stopBits, m_settings.parity);
    if (!m_port.Open()) return false;
    WriteLog(std::string("Low latency mode: ") + LowLatencyText(m_port.LowLatency()) + ".\n");
    return true;
}

bool CDeviceSession::Connect() {
    if (!OpenPort()) return false;
    const std::string fixedTable = ResolveInModuleFolder("Skyloom.set");
    bool ok = false;
    if (PathExists(fixedTable)) {
        // A fixed table: no model request and no "Connect" routine.
        m_model.table.reset();
        auto table = std::make_unique<CMenuParamTable>();
        if (table->Load(fixedTable, &m_report) == 1) {
            m_model.table = std::move(table);
            m_model.tablePath = fixedTable;
            m_currentIndex = 0;
            ok = ShowItem(0);
        }
    } else {
        ok = ConnectAndLoad(m_unit, m_model);
    }
    if (!ok) return false;
    m_connected = true;
    EnterConnectedState();
    WriteLog("Connected. " + FormatConnectionStatus() + "\n");
    return true;
}

void CDeviceSession::EnterConnectedState() {
    m_currentIndex = 0;
    if (m_view == EView::Setting) ShowFrom(0, true);
    m_ui.RefreshSidePanel();
    m_ui.RefreshView();
}

bool CDeviceSession::ConnectAndLoad(int unit, SLoadedModel& model) {
    const std::string modelText = ReadModel(unit);
    if (modelText.empty()) return false;
    model.modelText = modelText;
    const std::string prefix = modelText.substr(0, 4);
    if (!IsSafeModelPrefix(prefix)) {
        WriteLog("Model text [" + prefix + "] names no model file.\n");
        return false;
    }
    const std::string scriptPath = FindModelFile(prefix + ".scp");
    if (scriptPath.empty()) return false;
    std::string key;
    if (!RunConnectRoutine(scriptPath, unit, key)) return false;
    model.key = key;
    const std::string indexPath = FindModelFile(prefix + ".tbl");
    if (indexPath.empty()) return false;
    std::string tablePath, modelName;
    if (!LookupModelIndex(indexPath, key, tablePath, modelName) || tablePath.empty()) return false;

    model.tablePath = tablePath;
    model.modelName = modelName;
    model.table.reset();
    auto table = std::make_unique<CMenuParamTable>();
    const int loaded = table->Load(tablePath, &m_report);
    if (loaded == 1) model.table = std::move(table);
    model.picturePath = PictureOf(scriptPath);
    return loaded == 1;
}

std::string CDeviceSession::ReadModel(int unit) {
    if (!m_port.IsOpen()) return {};
    CQuadrelExchange request;
    if (!request.Build(unit, kModelRequestCode, "")) return {};
    const std::string frame = request.CommandText();
    CCommTransaction transaction;
    transaction.SetPort(&m_port);
    for (int attempt = 0; attempt < kModelRequestAttempts; ++attempt) {
        WriteLog(FormatQuadrelFrame(1, frame) + "\n");
        transaction.Execute(frame, kModelRequestTimeoutMs);
        WriteLog(FormatQuadrelFrame(0, transaction.ResponseText()) + "\n");
        if (transaction.ResultClass == 0) return transaction.ResponseData();
        if (transaction.TimedOut()) WriteLog("response time out.\n");
        m_port.CallAttemptHook();
        if (transaction.RetryFlag == 0) return {};
    }
    WriteLog("command retry over.\n");
    return {};
}

bool CDeviceSession::RunConnectRoutine(const std::string& scriptPath, int unit, std::string& key) {
    CVarItem result;
    if (!RunScriptRoutine(scriptPath, "Connect", &m_port, unit, result)) return false;
    if (result.Type() != kTypeString) return false;
    key = result.GetString();
    return true;
}

void CDeviceSession::Disconnect() {
    CVarItem result;
    const std::string scriptPath = FindModelFile(m_model.modelName.substr(0, 4) + ".scp");
    if (!RunScriptRoutine(scriptPath, "DisConnect", &m_port, m_unit, result))
        WriteLog("Disconnect Script error.\n");
    m_port.Close();
    ResetConnectionState();
    m_fileOpened = false;
    m_connected = false;
    m_model.picturePath.clear();
    m_ui.RefreshView();
    WriteLog("Disconnected.\n");
}

void CDeviceSession::ResetConnectionState() {
    if (!m_model.table) return;
    m_model.table->Clear();
    m_settingView = SSettingView{};
    m_valuesPresent = false;
    m_model.table.reset();
    m_ui.RefreshView();
    m_ui.RefreshSidePanel();
}

std::string CDeviceSession::FormatConnectionStatus() const {
    // "%s %d %d %d %s %s%d  %s": port, baud, data bits, stop bits, parity name,
    // unit label, unit number, model name.
    return m_settings.portName + " " + std::to_string(m_settings.baudRate) + " " +
           std::to_string(m_settings.dataBits) + " " + std::to_string(m_settings.stopBits) + " " +
           Catalogue(static_cast<uint16_t>(310 + m_settings.parity)) + " " + Catalogue(55) +
           std::to_string(m_unit) + "  " + m_model.modelName;
}
