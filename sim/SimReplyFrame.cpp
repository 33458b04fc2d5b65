#include "sim/SimReplyFrame.h"

#include "protocol/AtCmdFrame.h"
#include "protocol/AtResFrame.h"
#include "protocol/ControlBytes.h"
#include "protocol/QuadrelCmdFrame.h"
#include "protocol/QuadrelResFrame.h"

std::optional<ReceivedCommand> ReadCommandFrame(SimProtocol protocol, std::string_view bytes) {
    ReceivedCommand received;
    received.Command.Protocol = protocol;
    if (protocol == SimProtocol::Quadrel) {
        CQuadrelCmdFrame frame;
        if (!frame.Parse(bytes) || !frame.Header.IsValid()) return std::nullopt;
        received.Command.Unit = frame.Header.Node;
        received.Command.Code = frame.Pdu.CommandText();
        received.QuadrelCode = frame.Pdu.Command();
        received.Command.Data = frame.Data;
    } else {
        CAtCmdFrame frame;
        if (!frame.Parse(bytes)) return std::nullopt;
        received.Command.Unit = frame.Header.Unit;
        received.Command.Code = frame.Header.HeaderCode;
        received.Command.Data = frame.Data;
    }
    received.Broadcast = received.Command.Unit == kBroadcastNode;
    return received;
}

SimReply ApplyReplyFaults(SimReply reply, const SimFaults& faults) {
    if (faults.EndCode >= 0) reply.EndCode = faults.EndCode;
    if (faults.ResponseCode >= 0) reply.ResponseCode = faults.ResponseCode;
    if (!faults.AtEndCode.empty()) reply.AtEndCode = faults.AtEndCode;
    if (faults.AtIc) reply.AtIc = true;
    return reply;
}

std::string BuildReplyFrame(const ReceivedCommand& received, const SimReply& reply,
                            bool corruptCheck) {
    const SimCommand& command = received.Command;
    if (command.Protocol == SimProtocol::Quadrel) {
        CQuadrelResFrame frame;
        frame.Header.Node = command.Unit;
        frame.Header.SubAddress = 0;
        frame.Header.EndCode = reply.EndCode & 0xFF;
        frame.Pdu.SetCommand(received.QuadrelCode);
        frame.Pdu.Mres = static_cast<uint8_t>(reply.ResponseCode >> 8);
        frame.Pdu.Sres = static_cast<uint8_t>(reply.ResponseCode);
        frame.Data = reply.Data;
        frame.Trailer.CheckByte = frame.ComputeBcc() ^ (corruptCheck ? 0x01 : 0x00);
        return frame.Text();
    }
    CAtResFrame frame;
    frame.Header.StartByte = kAtStart;
    frame.Header.Unit = command.Unit;
    frame.Header.HeaderCode = reply.AtIc ? "IC" : command.Code;
    if (!reply.AtIc) frame.Header.EndCode = reply.AtEndCode;
    frame.Data = reply.Data;
    frame.Trailer.Fcs = frame.ComputeFcs() ^ (corruptCheck ? 0x01 : 0x00);
    return frame.Text();
}
