#include "sim/MemoryResponder.h"

#include <fstream>

#include "app/NumberText.h"
#include "params/HexNumber.h"
#include "params/MenuUICmdItem.h"
#include "protocol/SignedValue.h"

MemoryResponder::MemoryResponder(std::shared_ptr<const MemoryModel> model,
                                 const SimProfile& profile)
    : m_model(std::move(model)), m_canned(profile), m_values(m_model->InitialValues()) {}

std::optional<SimReply> MemoryResponder::Respond(const SimCommand& command) {
    if (m_model->IsSilent(command)) return std::nullopt;
    {
        std::lock_guard guard(m_lock);
        if (m_model->IsWriteModeEnter(command) || m_model->IsWriteModeLeave(command)) {
            m_writeMode = m_model->IsWriteModeEnter(command);
            return SimReply{};
        }
        if (const CMenuParamItem* item = m_model->FindRead(command)) return Read(*item, command);
        if (const CMenuParamItem* item = m_model->FindWrite(command)) return Write(*item, command);
    }
    return m_canned.Respond(command);
}

SimReply MemoryResponder::Read(const CMenuParamItem& item, const SimCommand&) {
    SimReply reply;
    int32_t value = m_values[item.number];
    switch (item.readCommand.Format()) {
        case kValueSigned:
            reply.Data = EncodeSignedValue(std::to_string(value));
            break;
        case kValueNone:
            break;
        default:
            reply.Data = FormatHex(static_cast<uint32_t>(value), item.writeCommand.hexDigits);
    }
    return reply;
}

SimReply MemoryResponder::Write(const CMenuParamItem& item, const SimCommand& command) {
    if (item.writable == 0) return Refusal(command, kReadOnlyCode, kReadOnlyAtCode);
    if (item.WriteMode16() != 0 && !m_writeMode) {
        return Refusal(command, kWriteModeCode, kWriteModeAtCode);
    }
    const std::string data = command.Text().substr(item.writeCommand.commandText.size());
    int32_t value = 0;
    switch (item.writeCommand.Format()) {
        case kValueNone:
            return SimReply{};
        case kValueSigned: {
            std::string decimal = DecodeSignedValue(data);
            bool zero = data.size() == 4 && (decimal.empty() || decimal == "-");
            if (!zero && !ScanDecimalInt(decimal, value)) {
                return Refusal(command, kValueCode, kValueAtCode);
            }
            break;
        }
        default: {
            uint32_t raw;
            if (!ScanHex(data, raw)) return Refusal(command, kValueCode, kValueAtCode);
            value = static_cast<int32_t>(raw);
        }
    }
    if (!m_model->InRange(item.number, value)) return Refusal(command, kValueCode, kValueAtCode);
    m_values[item.number] = value;
    if (!m_dumpFile.empty()) std::ofstream(m_dumpFile, std::ios::trunc) << DumpLocked();
    return SimReply{};
}

SimReply MemoryResponder::Refusal(const SimCommand& command, int code, const char* atCode) {
    SimReply reply;
    if (command.Protocol == SimProtocol::At) {
        reply.AtEndCode = atCode;
    } else {
        reply.ResponseCode = code;
    }
    return reply;
}

void MemoryResponder::SetDumpFile(const std::string& path) {
    std::lock_guard guard(m_lock);
    m_dumpFile = path;
}

std::map<int32_t, int32_t> MemoryResponder::Values() const {
    std::lock_guard guard(m_lock);
    return m_values;
}

bool MemoryResponder::InWriteMode() const {
    std::lock_guard guard(m_lock);
    return m_writeMode;
}

void MemoryResponder::SetValue(int32_t number, int32_t value) {
    std::lock_guard guard(m_lock);
    m_values[number] = value;
}

std::string MemoryResponder::Dump() const {
    std::lock_guard guard(m_lock);
    return DumpLocked();
}

std::string MemoryResponder::DumpLocked() const {
    std::string text;
    for (const auto& [number, value] : m_values) {
        text += std::to_string(number) + "=" + std::to_string(value) + "\n";
    }
    return text + "writemode=" + (m_writeMode ? "1" : "0") + "\n";
}
