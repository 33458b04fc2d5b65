#pragma once

#include <cstdint>
#include <string>

// Type codes of script variables, as written in declarations and carried by results.
enum ScriptType : int32_t {
    kTypeNone = -128,
    kTypeInt = 0,
    kTypeShort = 1,
    kTypeWord = 2,
    kTypeLong = 3,
    kTypeDword = 4,
    kTypeByte = 5,
    kTypeChar = 6,
    kTypeString = 7,
};

// True for the types whose value lives in the number (everything but STRING).
inline bool HoldsNumber(int32_t type) { return type >= kTypeInt && type <= kTypeChar; }

// A named, typed script value. Types 0..6 keep a full 32-bit number (CHAR: the character code);
// STRING keeps a text. Assignments never cut the number to the width of its type.
class CVarItem {
  public:
    CVarItem() = default;
    CVarItem(const CVarItem&) = default;
    CVarItem& operator=(const CVarItem&) = default;
    virtual ~CVarItem() = default;

    void Reset();
    void Set(const std::string& name, int32_t type, uint32_t number);
    void SetStringVar(const std::string& name, const std::string& text);
    // Keeps name and type; a STRING variable does not keep the number.
    void SetNumber(uint32_t number);
    // Turns the variable into a STRING holding the text.
    void SetString(const std::string& text);

    uint32_t GetNumber() const { return HoldsNumber(m_type) ? m_number : 0; }
    const std::string& GetString() const { return m_text; }
    bool IsNumeric() const { return m_type >= kTypeInt && m_type <= kTypeByte; }

    const std::string& Name() const { return m_name; }
    int32_t Type() const { return m_type; }

  private:
    std::string m_name;
    int32_t m_type = kTypeNone;
    uint32_t m_number = 0;
    std::string m_text;
};
