#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "sim/CannedResponder.h"
#include "sim/MemoryModel.h"
#include "sim/SimResponder.h"

// What a unit's controls did to it, so that a test can tell whether a client left the
// controller as it found it: running, write mode off, nothing written since the last store.
struct UnitState {
    bool Running = true;
    bool WriteMode = false;
    size_t Stores = 0;
    size_t UnsavedWrites = 0;  // writes accepted in write mode since the last store
};

// "run=running|stopped", "write_mode=off|on", "stores=N" and "unsaved_writes=N" lines, each
// key after prefix.
std::string UnitStateText(const UnitState& state, const std::string& prefix = "");

// A unit with a parameter memory: it answers each parameter's read command with the stored
// value in the parameter's value format, stores what its write command carries, refuses
// writes to display-only parameters, to write-mode parameters outside write mode and outside
// the parameter's range, follows the model's controls (write mode, run and stop, store) and
// leaves the store and the silent commands unanswered. Every other command goes to the canned
// answers of the profile.
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

    // After every stored write and every control the memory is written to this file (Dump's
    // text); empty: never.
    void SetDumpFile(const std::string& path);

    std::map<int32_t, int32_t> Values() const;
    UnitState State() const;
    void SetValue(int32_t number, int32_t value);
    // "number=value" lines in number order, "writemode=0" or "writemode=1", then the state
    // (UnitStateText).
    std::string Dump() const;

  private:
    SimReply Read(const CMenuParamItem& item, const SimCommand& command);
    SimReply Write(const CMenuParamItem& item, const SimCommand& command);
    void Apply(MemoryModel::Control control);
    // Counts an accepted write and writes the dump.
    void CountWrite();
    void SaveDumpLocked() const;
    static SimReply Refusal(const SimCommand& command, int code, const char* atCode);
    std::string DumpLocked() const;

    std::shared_ptr<const MemoryModel> m_model;
    CannedResponder m_canned;
    mutable std::mutex m_lock;
    std::map<int32_t, int32_t> m_values;
    UnitState m_state;
    std::string m_dumpFile;
};
