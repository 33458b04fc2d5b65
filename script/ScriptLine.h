#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CVarItem;

enum OperandKind : int32_t {
    kKindUnset = -128,
    kKindVariable = 0,
    kKindLiteral = 1,
    kKindLabel = 2,
    kKindFormat = 3,
};

enum class LiteralForm : uint8_t { kNone, kDecimal, kHex, kSingleQuoted, kDoubleQuoted };

enum class Comparison : uint8_t { kEqual, kNotEqual, kGreater, kLess, kGreaterEqual, kLessEqual };

// What loading learned about an operand, so that execution never reads its text again.
struct OperandValue {
    CVarItem* var = nullptr;                     // the variable a kind-0 operand names
    LiteralForm form = LiteralForm::kNone;       // the form of a kind-1 operand
    bool negative = false;                       // a decimal literal written with "-"
    bool hasNumber = false;                      // a decimal literal that holds digits
    uint32_t number = 0;                         // decimal and hex value; quoted char code 0..255
    Comparison comparison = Comparison::kEqual;  // the operator of an IF
    bool upperHex = false;                       // a NUMTOS format letter "X"
    std::string text;                            // the text of a quoted literal, quotes removed
    int32_t label = -1;                          // index of the label line it names, -1 if none
};

struct CScriptOperand {
    std::string text;
    int32_t kind = kKindUnset;
    OperandValue value;
};

// One stored, already-checked line of a routine.
class CScriptLine {
  public:
    static constexpr int32_t kMaxOperands = 10;

    CScriptLine() = default;
    CScriptLine(const CScriptLine&) = default;
    CScriptLine& operator=(const CScriptLine&) = default;
    virtual ~CScriptLine() = default;

    void Set(uint16_t index, int32_t code, const std::string& text, int32_t count);
    bool SetOperand(int32_t i, const std::string& text, int32_t kind);
    // The operand i, or null when i is not below the count.
    const CScriptOperand* GetOperand(int32_t i) const;
    CScriptOperand* GetOperand(int32_t i);

    uint16_t Index() const { return m_index; }
    int32_t Code() const { return m_code; }
    const std::string& Text() const { return m_text; }
    int32_t Count() const { return m_count; }

  private:
    uint16_t m_index = 0;
    std::string m_text;
    std::vector<CScriptOperand> m_operands;  // exactly m_count slots
    int32_t m_count = 0;
    int32_t m_code = -128;
};
