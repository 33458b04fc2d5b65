#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/Result.h"
#include "protocol/CommTransaction.h"
#include "script/KeywordTable.h"
#include "script/ScriptLineTable.h"
#include "script/TypeTable.h"
#include "script/VarItem.h"
#include "script/VarTable.h"

// One execution of one script routine: Load parses the routine's lines once into checked lines
// with their operands resolved, Run executes them.
class CScript {
  public:
    // A routine that never ends is stopped after this many executed lines.
    static constexpr uint64_t kDefaultStepLimit = 1'000'000;
    // Texts longer than this end the run: a routine that keeps doubling a text would otherwise
    // exhaust memory long before the step limit stops it.
    static constexpr size_t kMaxTextLength = 65536;

    CScript() = default;
    CScript(const CScript&) = delete;
    CScript& operator=(const CScript&) = delete;
    ~CScript() = default;

    // Parsing.
    bool Load(const std::vector<std::string>& lines);
    bool ParseVarBlock(const std::vector<std::string>& lines);
    bool ParseRoutine(const std::vector<std::string>& lines);
    bool ParseStatement(const std::string& text, uint16_t index);
    bool Tokenize(const std::string& text, std::vector<std::string>& tokens) const;
    bool DeclareVar(const std::string& text);
    void AddErrorLine(const std::string& text, size_t lineNumber);
    const std::string& ErrorText() const { return m_errorText; }

    // Execution.
    bool Run(CVarItem& result);
    // Why the last Run failed: the exchange of the command that failed (what came back), or
    // where the routine stopped.
    const SResult& Failure() const { return m_failure; }
    bool Step(uint16_t& pc, bool& done);
    bool FindLabel(const std::string& text, uint16_t& index) const;
    // The user store first, then the system store (isSystem tells which answered).
    CVarItem* FindVar(const std::string& name, bool* isSystem = nullptr) const;
    void SetStepLimit(uint64_t limit) { m_stepLimit = limit; }

    // Attaches the port to the transaction of the communication statements.
    bool SetPort(CFramePort* port);
    CCommTransaction& Transaction() { return m_transaction; }
    void SetUnitNumber(int32_t unit) { m_unitNumber = unit; }
    int32_t UnitNumber() const { return m_unitNumber; }

  private:
    // Operand checks of one statement; on success kinds (and NOMASK's stored text) are set.
    bool CheckOperands(int32_t code, std::vector<std::string>& operands,
                       std::vector<int32_t>& kinds) const;
    // A frame type operand: 0 (Quadrel) or 1 (at-frame).
    bool IsFrameTypeText(const std::string& text) const;
    // Fills in what execution needs of each operand of a stored line.
    void BindOperands(CScriptLine& line);
    void BindLabels();
    void ReportErrors();
    void WriteScriptLog(const std::string& text);

    bool ExecStatement(const CScriptLine& line, uint16_t& pc, bool& done);
    bool ExecJump(const CScriptOperand& label, uint16_t& pc) const;
    bool ExecIf(const CScriptLine& line, uint16_t& pc) const;
    bool ExecStore(const CScriptLine& line);
    bool ExecArithmetic(int32_t code, const CScriptLine& line);
    bool ExecStoNum(const CScriptLine& line);
    bool ExecNumToS(const CScriptLine& line);
    bool ExecSubstring(int32_t code, const CScriptLine& line);
    bool ExecSJoin(const CScriptLine& line);
    bool ExecRet(const CScriptLine& line);
    bool ExecComm(int32_t code, const CScriptLine& line, uint16_t& pc);
    // Cuts the field out of the response and stores it; mask is null for NOMASK.
    bool StoreResponseField(int32_t code, CVarItem& target, int32_t offset, int32_t length,
                            const uint32_t* mask);

    CTypeTable m_typeTable;
    CKeywordTable m_keywordTable;
    CVarTable m_userStore;
    CVarTable m_systemStore;
    CScriptLineTable m_routine;
    CVarItem m_returnVar;
    std::string m_errorText;
    CCommTransaction m_transaction;
    int32_t m_unitNumber = -1;

    std::unordered_map<std::string, uint16_t> m_labels;  // label text -> first line with it
    SResult m_failure;
    CVarItem* m_commStatus = nullptr;
    CVarItem* m_retValue = nullptr;
    uint64_t m_stepLimit = kDefaultStepLimit;
};
