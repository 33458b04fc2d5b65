// Connecting to a controller, identifying its model and loading the model's files;
// disconnecting again.
#include "app/Folders.h"
#include "app/SectionReader.h"
#include "ops/BusyScope.h"
#include "ops/DeviceSession.h"
#include "ops/ModelRoutine.h"
#include "ops/RestoreScope.h"
#include "params/ModelIndex.h"
#include "protocol/CommLog.h"
#include "protocol/CommTransaction.h"
#include "protocol/CommandExchange.h"
#include "protocol/QuadrelExchange.h"
#include "script/RunRoutine.h"
#include "script/VarItem.h"
#include "serial/OpenFailure.h"

namespace {

constexpr uint16_t kModelRequestCode = 0x0503;

SExchangeOutcome RequestModel(CFramePort& port, int unit, int attempts, uint16_t timeoutMs,
                              std::string& modelText,
                              std::function<void(int32_t)> attemptStarts = {}) {
    modelText.clear();
    if (!port.IsOpen()) return {};
    CQuadrelExchange request;
    if (!request.Build(unit, kModelRequestCode, "")) return {};
    CCommTransaction transaction;
    transaction.SetPort(&port);
    SRetryPolicy policy;
    policy.attempts = attempts;
    policy.timeoutMs = timeoutMs;
    policy.log = ExchangeLog::kAroundExchange;
    policy.attemptStarts = std::move(attemptStarts);
    const SExchangeOutcome outcome =
        ExchangeWithRetries(transaction, request.CommandText(), policy);
    if (outcome.end == ExchangeEnd::kAnswered) modelText = transaction.ResponseData();
    return outcome;
}

std::string PictureOf(const std::string& scriptPath) {
    std::vector<std::string> lines;
    if (!ReadFileSection(scriptPath, "TCImage", lines)) return {};
    return FindModelFile(lines.front());
}

}  // namespace

SResult CDeviceSession::Connect(int unit) {
    return ConnectionStep([this, unit] {
        // Another unit, or the same one again: the controller connected now is left first.
        if (m_connected) EndConnection();
        m_unit = unit;
        SResult result = OpenConnection();
        if (!result.Ok()) EndConnection();
        return result;
    });
}

SResult CDeviceSession::Disconnect() {
    return ConnectionStep([this] { return EndConnection(); });
}

SResult CDeviceSession::ConnectionStep(const std::function<SResult()>& step) {
    // Link and Unlink are one button to the operator, and one line in the log.
    LogEvent("Connect button pushed.");
    if (m_busy) return Busy();
    m_outcome = SOperationOutcome();
    SResult result;
    {
        CBusyScope busy(*this);
        result = step();
    }
    m_ui.RefreshView();
    return result;
}

bool CDeviceSession::OpenPort() {
    m_port.SetSettings(m_settings.portName, m_settings.baudRate, m_settings.dataBits,
                       m_settings.stopBits, m_settings.parity);
    if (!m_port.Open()) return false;
    WriteLog(std::string("Low latency mode: ") + LowLatencyText(m_port.LowLatency()) + ".\n");
    return true;
}

SResult CDeviceSession::OpenConnection() {
    if (!OpenPort()) return DescribeOpenFailure(m_settings.portName, m_port.OpenError());
    const std::string fixedTable = ResolveInSiteFolder("Skyloom.set");
    SResult result;
    if (PathExists(fixedTable)) {
        result = LoadFixedTable(fixedTable);
    } else {
        result = ConnectAndLoad(m_unit, m_model);
    }
    if (!result.Ok()) return result;
    m_connected = true;
    EnterConnectedState();
    WriteLog("Connected. " + FormatConnectionStatus() + "\n");
    return result;
}

SResult CDeviceSession::LoadFixedTable(const std::string& path) {
    // A fixed table: no model request and no "Connect" routine.
    m_model.table.reset();
    auto table = std::make_unique<CMenuParamTable>();
    if (SResult loaded = table->Load(path, &m_report); !loaded.Ok())
        return SResult::Failure(ResultCode::kModelNotLoaded,
                                Because(Reason<ReasonId::kFixedTableNotLoaded>(path), loaded));
    m_model.table = std::move(table);
    m_model.tablePath = path;
    m_currentIndex = 0;
    if (!ShowItem(0).Ok())
        return SResult::Failure(ResultCode::kNoAnswer,
                                Reason<ReasonId::kFixedTableNoAnswer>(UnitOnPort(m_unit)));
    return SResult::Success();
}

void CDeviceSession::EnterConnectedState() {
    m_currentIndex = 0;
    if (m_view == EView::Setting) ShowFrom(0, true);
    m_ui.RefreshView();
}

SResult CDeviceSession::ConnectAndLoad(int unit, SLoadedModel& model) {
    std::string modelText;
    const SExchangeOutcome request = ReadModel(unit, modelText);
    if (SResult requested = request.Result(); !requested.Ok())
        return requested.Explained(
            Reason<ReasonId::kModelRequestTo>(UnitOnPort(unit), request.why));
    if (modelText.empty())
        return SResult::Failure(ResultCode::kBadAnswer,
                                Reason<ReasonId::kNoModelInAnswer>(UnitOnPort(unit)));
    model.modelText = modelText;
    const std::string unitText = std::to_string(unit);
    const auto notLoaded = [](SReason why) {
        return SResult::Failure(ResultCode::kModelNotLoaded, std::move(why));
    };
    const std::string prefix = modelText.substr(0, 4);
    if (!IsSafeModelPrefix(prefix)) {
        WriteLog("Model text [" + prefix + "] names no model file.\n");
        return notLoaded(Reason<ReasonId::kModelNamesNoFile>(modelText, unitText));
    }
    const std::string scriptPath = FindModelFile(prefix + ".scp");
    if (scriptPath.empty())
        return notLoaded(Reason<ReasonId::kModelNoScript>(modelText, unitText, prefix + ".scp"));
    const SResultOf<std::string> key = RunConnectRoutine(scriptPath, unit);
    if (!key.Ok())
        return notLoaded(Reason<ReasonId::kModelNotIdentified>(modelText, unitText, key.reason));
    model.key = key.value;
    const std::string indexPath = FindModelFile(prefix + ".tbl");
    if (indexPath.empty())
        return notLoaded(Reason<ReasonId::kModelNoIndex>(modelText, unitText, prefix + ".tbl"));
    std::string tablePath, modelName;
    if (!LookupModelIndex(indexPath, key.value, tablePath, modelName) || tablePath.empty())
        return notLoaded(
            Reason<ReasonId::kModelNoTable>(modelText, unitText, key.value, indexPath));

    model.tablePath = tablePath;
    model.modelName = modelName;
    model.table.reset();
    auto table = std::make_unique<CMenuParamTable>();
    const SResult loaded = table->Load(tablePath, &m_report);
    if (loaded.Ok()) model.table = std::move(table);
    model.picturePath = PictureOf(scriptPath);
    if (!loaded.Ok())
        return notLoaded(Reason<ReasonId::kModelTableNotLoaded>(modelText, unitText, tablePath));
    return SResult::Success();
}

SExchangeOutcome CDeviceSession::ReadModel(int unit, std::string& modelText) {
    const int attempts = m_modelRequestAttempts;
    const SExchangeOutcome outcome =
        RequestModel(m_port, unit, attempts, m_modelRequestTimeoutMs, modelText,
                     [this, unit, attempts](int32_t attempt) {
                         m_ui.AskingForModel(unit, static_cast<int>(attempt), attempts);
                     });
    m_ui.AskingForModel(unit, 0, attempts);
    return outcome;
}

SExchangeOutcome CDeviceSession::ProbeModel(int unit, uint16_t timeoutMs, std::string& modelText) {
    return RequestModel(m_port, unit, 1, timeoutMs, modelText);
}

std::string CDeviceSession::KnownModelName(const std::string& modelText) {
    const std::string prefix = modelText.substr(0, 4);
    if (!IsSafeModelPrefix(prefix)) return {};
    const std::string indexPath = FindModelFile(prefix + ".tbl");
    std::string tablePath, modelName;
    if (indexPath.empty() || !LookupModelIndex(indexPath, modelText, tablePath, modelName))
        return {};
    return modelName;
}

SResult CDeviceSession::OpenLine() {
    if (m_port.IsOpen() || OpenPort()) return SResult::Success();
    return DescribeOpenFailure(m_settings.portName, m_port.OpenError());
}

void CDeviceSession::Release() {
    // Changing nothing closes the line as new settings would: without the DisConnect routine.
    ApplyCommSettings(m_settings, m_unit);
}

SReason CDeviceSession::UnitOnPort(int unit) const {
    return Reason<ReasonId::kUnitOnPort>(std::to_string(unit), m_settings.portName);
}

SResultOf<std::string> CDeviceSession::RunConnectRoutine(const std::string& scriptPath, int unit) {
    const SResultOf<CVarItem> run = RunScriptRoutine(scriptPath, "Connect", &m_port, unit);
    if (!run.Ok()) return SResult(run);
    if (run.value.Type() != kTypeString)
        return SResult::Failure(ResultCode::kModelNotLoaded, Reason<ReasonId::kNoKey>());
    return {SResult::Success(), run.value.GetString()};
}

SResult CDeviceSession::EndConnection() {
    // On a line that is gone nothing reaches the controller, and the loss has been reported by
    // the exchange that met it.
    const bool lineLost = m_port.LineLost();
    SResultOf<ERoutineEnd> routine{SResult::Success(), ERoutineEnd::Ran};
    SResult left;
    bool interrupted = false;
    if (!lineLost) {
        CRestoreScope restoring(*this);
        left = RunWriteLeaveList();
        const std::string scriptPath = FindModelFile(m_model.modelName.substr(0, 4) + ".scp");
        if (!restoring.Interrupted())
            routine = RunModelRoutine(scriptPath, "DisConnect", &m_port, m_unit);
        interrupted = restoring.Interrupted();
        // The log keeps naming a routine that could not be read, as before; only one that is
        // there and failed fails the disconnection.
        if (routine.value != ERoutineEnd::Ran) WriteLog("Disconnect Script error.\n");
    }
    const int unit = m_unit;
    CloseConnection();
    if (!left.Ok()) return left;
    if (routine.Ok()) return SResult::Success();
    return NotRestored(interrupted ? Reason<ReasonId::kDisConnectStopped>()
                                   : FailedOnUnit(ReasonId::kDisConnectFailed, unit, routine),
                       ReasonId::kMayBeInWriteMode, unit);
}

void CDeviceSession::CloseConnection() {
    m_port.Close();
    ResetConnectionState();
    m_fileOpened = false;
    m_connected = false;
    m_model.picturePath.clear();
    m_ui.RefreshView();
    WriteLog("Disconnected.\n");
}

void CDeviceSession::DropLostConnection() {
    // Nothing more reaches the controller on a line that is gone: the connection ends here, so
    // that the next Link opens the line afresh instead of failing on the dead one.
    if (!m_connected || !m_port.LineLost()) return;
    m_connectionLost =
        !m_lineLostAt.Empty() ? m_lineLostAt : Reason<ReasonId::kLineToLost>(UnitOnPort(m_unit));
    CloseConnection();
}

void CDeviceSession::ResetConnectionState() {
    m_writeModeIndex = -1;
    // No model is connected: the status line names none.
    m_model.modelName.clear();
    if (!m_model.table) return;
    m_model.table->Clear();
    m_shown = SShownParameter{};
    m_valuesPresent = false;
    m_paramStatuses.clear();
    m_model.table.reset();
    m_ui.RefreshView();
}

std::string CDeviceSession::FormatConnectionStatus() const {
    // "%s %d %d %d %s %s%d  %s": port, baud, data bits, stop bits, parity name,
    // unit label, unit number, model name.
    return m_settings.portName + " " + std::to_string(m_settings.baudRate) + " " +
           std::to_string(m_settings.dataBits) + " " + std::to_string(m_settings.stopBits) + " " +
           Catalogue(static_cast<uint16_t>(310 + m_settings.parity)) + " " + Catalogue(55) +
           std::to_string(m_unit) + "  " + m_model.modelName;
}
