#include "script/ScriptLiterals.h"

#include "app/NumberText.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips white space and a sign; answers whether the sign was "-".
bool SkipSpaceAndSign(const std::string& text, size_t& pos) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return negative;
}

}  // namespace

std::string TrimScriptText(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsSpace(text[first])) ++first;
    while (last > first && IsSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool EqualsIgnoringCase(const std::string& text, const std::string& word) {
    auto upper = [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    };
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (upper(text[i]) != upper(word[i])) return false;
    }
    return true;
}

bool IsDecimalText(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]) && !(i == 0 && text[i] == '-')) return false;
    }
    return true;
}

bool IsHexText(const std::string& text) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    for (size_t i = 2; i < text.size(); ++i) {
        if (HexDigitValue(text[i]) < 0) return false;
    }
    return true;
}

bool IsSingleQuoted(const std::string& text) {
    return !text.empty() && text.front() == '\'' && text.back() == '\'';
}

bool IsDoubleQuoted(const std::string& text) {
    return !text.empty() && text.front() == '"' && text.back() == '"';
}

bool IsComparisonText(const std::string& text) {
    return text == "==" || text == "!=" || text == ">" || text == "<" || text == ">=" ||
           text == "<=";
}

bool IsFormatLetter(const std::string& text) { return text == "d" || text == "X"; }

ReadNumber ReadDecimalText(const std::string& text) {
    ReadNumber result;
    size_t pos = 0;
    const bool negative = SkipSpaceAndSign(text, pos);
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        result.read = true;
        result.value = result.value * 10u + static_cast<uint32_t>(text[pos] - '0');
    }
    if (negative) result.value = 0u - result.value;
    return result;
}

ReadNumber ReadHexText(const std::string& text) {
    ReadNumber result;
    size_t pos = 0;
    const bool negative = SkipSpaceAndSign(text, pos);
    if (pos + 1 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        // "0x" counts as a prefix only when a digit follows; otherwise the "0" is the number.
        if (pos + 2 < text.size() && HexDigitValue(text[pos + 2]) >= 0) pos += 2;
    }
    for (; pos < text.size() && HexDigitValue(text[pos]) >= 0; ++pos) {
        result.read = true;
        result.value = (result.value << 4) | static_cast<uint32_t>(HexDigitValue(text[pos]));
    }
    if (negative) result.value = 0u - result.value;
    return result;
}

uint32_t HexLiteralValue(const std::string& text) {
    uint32_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        value = (value << 4) | static_cast<uint32_t>(HexDigitValue(text[i]));
    }
    return value;
}

unsigned char QuotedChar(const std::string& text) {
    return text.size() > 1 ? static_cast<unsigned char>(text[1]) : 0;
}

std::string QuotedText(const std::string& text) {
    return text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
}

std::string CharText(uint32_t code) {
    const char c = static_cast<char>(code & 0xFFu);
    return c == '\0' ? std::string() : std::string(1, c);
}
