#include "sim/CannedResponder.h"

namespace {
constexpr const char* kModelRequest = "0503";
}

CannedResponder::CannedResponder(const SimProfile& profile)
    : m_modelText(profile.ModelText), m_quadrel(profile.QuadrelAnswers), m_at(profile.AtAnswers) {}

std::optional<SimReply> CannedResponder::Respond(const SimCommand& command) {
    std::lock_guard guard(m_lock);
    const bool quadrel = command.Protocol == SimProtocol::Quadrel;
    SimReply reply;
    if (quadrel && command.Code == kModelRequest) {
        reply.Data = m_modelText;
        return reply;
    }
    const auto& answers = quadrel ? m_quadrel : m_at;
    auto found = answers.find(command.Text());
    if (found == answers.end()) found = answers.find(command.Code);
    if (found != answers.end()) {
        reply.Data = found->second;
    } else if (quadrel) {
        reply.ResponseCode = kUnknownCommandCode;
    } else {
        reply.AtEndCode = kUnknownAtEndCode;
    }
    return reply;
}

void CannedResponder::SetAnswer(SimProtocol protocol, const std::string& commandText,
                                const std::string& data) {
    std::lock_guard guard(m_lock);
    (protocol == SimProtocol::Quadrel ? m_quadrel : m_at)[commandText] = data;
}

void CannedResponder::SetModelText(const std::string& modelText) {
    std::lock_guard guard(m_lock);
    m_modelText = modelText;
}
