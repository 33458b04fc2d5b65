#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "sim/CannedResponder.h"
#include "sim/MemoryModel.h"
#include "sim/SimResponder.h"

// A unit with a parameter memory: it answers each parameter's read command with the stored
// value in the parameter's value format, stores what its write command carries, refuses
// writes to display-only parameters, to write-mode parameters outside write mode and outside
// the parameter's range, and leaves the model's silent commands unanswered. Every other
// command goes to the canned answers of the profile.
class MemoryResponder : public SimResponder {
  public:
    // Quadrel response codes of a refused write.
    static constexpr int kReadOnlyCode = 0x2201;
    static constexpr int kWriteModeCode = 0x2202;
    static constexpr int kValueCode = 0x2203;
    // The same refusals over at-frames, as end codes.
    static constexpr const char* kReadOnlyAtCode = "11";
    static constexpr const char* kWriteModeAtCode = "12";
    static constexpr const char* kValueAtCode = "13";

    MemoryResponder(std::shared_ptr<const MemoryModel> model, const SimProfile& profile);

    std::optional<SimReply> Respond(const SimCommand& command) override;

    // After every stored write the memory is written to this file (Dump's text); empty: never.
    void SetDumpFile(const std::string& path);

    std::map<int32_t, int32_t> Values() const;
    bool InWriteMode() const;
    void SetValue(int32_t number, int32_t value);
    // "number=value" lines in number order, then "writemode=0" or "writemode=1".
    std::string Dump() const;

  private:
    SimReply Read(const CMenuParamItem& item, const SimCommand& command);
    SimReply Write(const CMenuParamItem& item, const SimCommand& command);
    static SimReply Refusal(const SimCommand& command, int code, const char* atCode);
    std::string DumpLocked() const;

    std::shared_ptr<const MemoryModel> m_model;
    CannedResponder m_canned;
    mutable std::mutex m_lock;
    std::map<int32_t, int32_t> m_values;
    bool m_writeMode = false;
    std::string m_dumpFile;
};
