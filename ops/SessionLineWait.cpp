// Waiting for a lost line to come back in the middle of an upload, download or verify: a USB
// adapter pulled out and plugged in again reappears at the same device path.
#include <chrono>
#include <thread>

#include "ops/DeviceSession.h"
#include "protocol/CommLog.h"

namespace {

// Between two tries to open the device: its path is watched, not the serial line, so a short
// sleep is fine, and short enough that Ctrl-C still ends the wait at once.
constexpr std::chrono::milliseconds kReopenInterval{100};

}  // namespace

bool CDeviceSession::LineCameBack(const SWalkTarget& target) {
    if (m_lineWaitSeconds <= 0) return false;
    WriteLog("Waiting up to " + std::to_string(m_lineWaitSeconds) + " s for " +
             m_settings.portName + " to come back.\n");
    m_ui.WaitNotice(
        Reason<ReasonId::kWaitingForLine>(std::to_string(m_lineWaitSeconds), m_settings.portName,
                                          std::to_string(target.unit), target.modelText));
    m_port.Close();
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(m_lineWaitSeconds);
    while (!StopRequested()) {
        if (OpenPort()) {
            std::string modelText;
            const SExchangeOutcome request = ReadModel(target.unit, modelText);
            if (request.Ok() && modelText == target.modelText) {
                WriteLog("line back.\n");
                return true;
            }
            m_port.Close();
            // A device that opened but went again is still coming back; anything else is
            // another controller, or one that does not answer, where the walk cannot go on.
            if (request.end != ExchangeEnd::kLineLost) {
                const std::string unit = std::to_string(target.unit);
                m_lineLostAt = Reason<ReasonId::kThen>(
                    m_lineLostAt,
                    request.Ok()
                        ? Reason<ReasonId::kCameBackAsOther>(unit, modelText, target.modelText)
                        : Reason<ReasonId::kModelRequestAfterReturn>(unit, request.why));
                WriteLog(English(m_lineLostAt) + "\n");
                return false;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_lineLostAt = Reason<ReasonId::kThen>(
                m_lineLostAt, Reason<ReasonId::kDidNotComeBack>(m_settings.portName,
                                                                std::to_string(m_lineWaitSeconds)));
            WriteLog(English(m_lineLostAt) + "\n");
            return false;
        }
        std::this_thread::sleep_for(kReopenInterval);
    }
    return false;
}

bool CDeviceSession::SameValuesCameBack(CMenuParamTable& table, size_t done,
                                        const SWalkTarget& target) {
    for (size_t i = 0; i < done && i < m_paramStatuses.size(); ++i) {
        const SParamStatus& status = m_paramStatuses[i];
        if (status.status != EParamStatus::Ok) continue;
        CMenuParamItem* item = table.FindByNumber(static_cast<uint16_t>(status.number));
        if (!item) continue;
        const SResultOf<std::string> raw = ExecuteCommand(item->readCommand, {}, target.unit);
        const std::string value = raw.Ok() ? item->RawToSetValue(raw.value) : std::string();
        if (raw.Ok() && value == item->setValue) continue;
        SReason name = Reason<ReasonId::kParameterNamed>(std::to_string(item->number), item->name);
        m_lineLostAt = Reason<ReasonId::kThen>(
            m_lineLostAt,
            raw.Ok() ? Reason<ReasonId::kCameBackOtherValues>(
                           std::to_string(target.unit), std::move(name), value, item->setValue)
                     : Because(Reason<ReasonId::kUnreadAfterReturn>(std::move(name)), raw));
        WriteLog(English(m_lineLostAt) + "\n");
        m_port.Close();
        return false;
    }
    return true;
}
