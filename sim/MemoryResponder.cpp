#include "sim/MemoryResponder.h"

#include <fstream>

#include "app/NumberText.h"
#include "params/HexNumber.h"
#include "params/MenuUICmdItem.h"
#include "protocol/SignedValue.h"

MemoryResponder::MemoryResponder(std::shared_ptr<const MemoryModel> model,
                                 const SimProfile& profile)
    : model_(std::move(model)), canned_(profile), values_(model_->InitialValues()) {}

std::optional<SimReply> MemoryResponder::Respond(const SimCommand& command) {
    if (model_->IsSilent(command)) return std::nullopt;
    {
        std::lock_guard guard(lock_);
        if (model_->IsWriteModeEnter(command) || model_->IsWriteModeLeave(command)) {
            writeMode_ = model_->IsWriteModeEnter(command);
            return SimReply{};
        }
        if (const CMenuParamItem* item = model_->FindRead(command)) return Read(*item, command);
        if (const CMenuParamItem* item = model_->FindWrite(command)) return Write(*item, command);
    }
    return canned_.Respond(command);
}

SimReply MemoryResponder::Read(const CMenuParamItem& item, const SimCommand&) {
    SimReply reply;
    int32_t value = values_[item.number];
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
    if (item.WriteMode16() != 0 && !writeMode_) {
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
    if (!model_->InRange(item.number, value)) return Refusal(command, kValueCode, kValueAtCode);
    values_[item.number] = value;
    if (!dumpFile_.empty()) std::ofstream(dumpFile_, std::ios::trunc) << DumpLocked();
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
    std::lock_guard guard(lock_);
    dumpFile_ = path;
}

std::map<int32_t, int32_t> MemoryResponder::Values() const {
    std::lock_guard guard(lock_);
    return values_;
}

bool MemoryResponder::InWriteMode() const {
    std::lock_guard guard(lock_);
    return writeMode_;
}

void MemoryResponder::SetValue(int32_t number, int32_t value) {
    std::lock_guard guard(lock_);
    values_[number] = value;
}

std::string MemoryResponder::Dump() const {
    std::lock_guard guard(lock_);
    return DumpLocked();
}

std::string MemoryResponder::DumpLocked() const {
    std::string text;
    for (const auto& [number, value] : values_) {
        text += std::to_string(number) + "=" + std::to_string(value) + "\n";
    }
    return text + "writemode=" + (writeMode_ ? "1" : "0") + "\n";
}
