#include "sim/FrameAssembler.h"

#include "protocol/ControlBytes.h"
#include "protocol/FrameEnd.h"

std::optional<FrameAssembler::Frame> FrameAssembler::Push(char byte) {
    if (pending_.empty() && byte != kStx && byte != kAtStart) return std::nullopt;
    pending_ += byte;
    const SimProtocol protocol = pending_[0] == kStx ? SimProtocol::Quadrel : SimProtocol::At;
    const bool complete = protocol == SimProtocol::Quadrel ? IsQuadrelFrameComplete(pending_)
                                                           : IsAtFrameComplete(pending_);
    if (complete) {
        Frame frame{protocol, std::move(pending_)};
        pending_.clear();
        return frame;
    }
    if (pending_.size() >= kMaxFrameBytes) pending_.clear();
    return std::nullopt;
}
