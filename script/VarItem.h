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

    uint32_t GetNumber() const { return HoldsNumber(type_) ? number_ : 0; }
    const std::string& GetString() const { return text_; }
    bool IsNumeric() const { return type_ >= kTypeInt && type_ <= kTypeByte; }

    const std::string& Name() const { return name_; }
    int32_t Type() const { return type_; }

  private:
    std::string name_;
    int32_t type_ = kTypeNone;
    uint32_t number_ = 0;
    std::string text_;
};
