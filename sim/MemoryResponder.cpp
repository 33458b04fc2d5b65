#include "sim/MemoryResponder.h"

#include <fstream>

#include "app/NumberText.h"
#include "params/HexNumber.h"
#include "params/MenuUICmdItem.h"
#include "protocol/SignedValue.h"

std::string UnitStateText(const UnitState& state, const std::string& prefix) {
    return prefix + "run=" + (state.Running ? "running" : "stopped") + "\n" + prefix +
           "write_mode=" + (state.WriteMode ? "on" : "off") + "\n" + prefix +
           "stores=" + std::to_string(state.Stores) + "\n" + prefix +
           "unsaved_writes=" + std::to_string(state.UnsavedWrites) + "\n";
}

MemoryResponder::MemoryResponder(std::shared_ptr<const MemoryModel> model,
                                 const SimProfile& profile)
    : m_model(std::move(model)), m_canned(profile), m_values(m_model->InitialValues()) {}

std::optional<SimReply> MemoryResponder::Respond(const SimCommand& command) {
    const MemoryModel::Control control = m_model->FindControl(command);
    if (control != MemoryModel::Control::None) {
        std::lock_guard guard(m_lock);
        Apply(control);
        SaveDumpLocked();
        // Storing keeps the unit busy writing its non-volatile memory: it does not answer.
        if (control == MemoryModel::Control::Store) return std::nullopt;
        return SimReply{};
    }
    if (m_model->IsSilent(command)) return std::nullopt;
    {
        std::lock_guard guard(m_lock);
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
    if (item.WriteMode16() != 0 && !m_state.WriteMode) {
        return Refusal(command, kWriteModeCode, kWriteModeAtCode);
    }
    const std::string data = command.Text().substr(item.writeCommand.commandText.size());
    int32_t value = 0;
    switch (item.writeCommand.Format()) {
        case kValueNone:
            CountWrite();
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
    CountWrite();
    return SimReply{};
}

void MemoryResponder::CountWrite() {
    // The model's controllers keep a value written outside write mode at once; what is written
    // in write mode waits for a store.
    if (m_state.WriteMode) ++m_state.UnsavedWrites;
    SaveDumpLocked();
}

void MemoryResponder::Apply(MemoryModel::Control control) {
    switch (control) {
        case MemoryModel::Control::WriteModeEnter:
        case MemoryModel::Control::WriteModeLeave:
            m_state.WriteMode = control == MemoryModel::Control::WriteModeEnter;
            break;
        case MemoryModel::Control::RunStop:
        case MemoryModel::Control::RunStart:
            m_state.Running = control == MemoryModel::Control::RunStart;
            break;
        case MemoryModel::Control::Store:
            ++m_state.Stores;
            m_state.UnsavedWrites = 0;
            break;
        case MemoryModel::Control::None:
            break;
    }
}

void MemoryResponder::SaveDumpLocked() const {
    if (!m_dumpFile.empty()) std::ofstream(m_dumpFile, std::ios::trunc) << DumpLocked();
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

UnitState MemoryResponder::State() const {
    std::lock_guard guard(m_lock);
    return m_state;
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
    return text + "writemode=" + (m_state.WriteMode ? "1" : "0") + "\n" + UnitStateText(m_state);
}
