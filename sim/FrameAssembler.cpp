#include "sim/FrameAssembler.h"

#include "protocol/ControlBytes.h"
#include "protocol/FrameEnd.h"

std::optional<FrameAssembler::Frame> FrameAssembler::Push(char byte) {
    if (m_pending.empty() && byte != kStx && byte != kAtStart) return std::nullopt;
    m_pending += byte;
    const SimProtocol protocol = m_pending[0] == kStx ? SimProtocol::Quadrel : SimProtocol::At;
    const bool complete = protocol == SimProtocol::Quadrel ? IsQuadrelFrameComplete(m_pending)
                                                           : IsAtFrameComplete(m_pending);
    if (complete) {
        Frame frame{protocol, std::move(m_pending)};
        m_pending.clear();
        return frame;
    }
    if (m_pending.size() >= kMaxFrameBytes) m_pending.clear();
    return std::nullopt;
}
