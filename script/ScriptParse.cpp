// Parsing of one routine: the variable pass, the routine pass and the statement grammar.
#include <cstdio>

#include "script/Script.h"
#include "script/ScriptLiterals.h"

namespace {

const char kSystemCommStatus[] = "@COMM_STATUS";
const char kSystemRetValue[] = "@RET_VALUE";
constexpr uint32_t kMaxLineIndex = 0xFFFF;

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsFieldSeparator(char c) { return c == ' ' || c == '\t'; }

enum class VarToken { kSkip, kBad, kText };

// The trimmed text before the first ";" of a line seen by the variable pass.
VarToken VarBlockToken(const std::string& line, std::string& token) {
    const std::string trimmed = TrimScriptText(line);
    if (trimmed.empty() || StartsWith(trimmed, "//")) return VarToken::kSkip;
    const size_t semicolon = trimmed.find(';');
    if (semicolon == std::string::npos || semicolon == 0) return VarToken::kBad;
    token = TrimScriptText(trimmed.substr(0, semicolon));
    return VarToken::kText;
}

enum class LineClass { kSkip, kBad, kCode };

// The code text of a routine line: the left-trimmed text before its first ";". The right end is
// deliberately left as written, so ":Begin ;" is not a routine start.
LineClass ClassifyLine(const std::string& line, std::string& code) {
    const std::string trimmed = TrimScriptText(line);
    if (trimmed.empty() || StartsWith(trimmed, "//") || StartsWith(trimmed, ";"))
        return LineClass::kSkip;
    const size_t semicolon = trimmed.find(';');
    if (semicolon == std::string::npos) return LineClass::kBad;
    code = trimmed.substr(0, semicolon);
    return LineClass::kCode;
}

}  // namespace

bool CScript::IsFrameTypeText(const std::string& text) const {
    const ReadNumber number = ReadDecimalText(text);
    return number.read && (number.value == 0 || number.value == 1);
}

void CScript::AddErrorLine(const std::string& text, size_t lineNumber) {
    char number[32];
    std::snprintf(number, sizeof number, "%4zu ", lineNumber);
    m_errorText += number;
    m_errorText += text;
    m_errorText += '\n';
}

bool CScript::Load(const std::vector<std::string>& lines) {
    if (lines.size() < 2) return false;
    m_userStore.RemoveAll();
    m_systemStore.RemoveAll();
    m_routine.RemoveAll();
    m_labels.clear();
    m_errorText.clear();
    m_systemStore.Add(kSystemCommStatus, kTypeInt);
    m_systemStore.Add(kSystemRetValue, kTypeString);
    m_commStatus = m_systemStore.Lookup(kSystemCommStatus);
    m_retValue = m_systemStore.Lookup(kSystemRetValue);

    if (ParseVarBlock(lines) && ParseRoutine(lines)) {
        BindLabels();
        return true;
    }
    ReportErrors();
    return false;
}

bool CScript::ParseVarBlock(const std::vector<std::string>& lines) {
    size_t n = 0;
    bool inside = false;
    bool endFound = false;
    bool error = false;
    for (const std::string& line : lines) {
        ++n;
        std::string token;
        const VarToken kind = VarBlockToken(line, token);
        if (kind == VarToken::kSkip) continue;
        if (kind == VarToken::kBad) {
            error = true;
            AddErrorLine(line, n);
        } else if (!inside) {
            inside = token == ":VarBegin";
        } else if (token == ":VarEnd") {
            endFound = true;
            break;
        } else if (!DeclareVar(token)) {
            error = true;
            AddErrorLine(line, n);
        }
    }
    if (error) return false;
    if (inside && !endFound) {
        AddErrorLine(":VarBegin or :VarEnd; Not Found.", lines.size());
        return false;
    }
    return true;
}

bool CScript::DeclareVar(const std::string& text) {
    std::string keyword;
    std::string type;
    std::string current;
    int fieldsEnded = 0;
    for (const char c : text) {
        if (!IsFieldSeparator(c)) {
            current += c;
            continue;
        }
        if (fieldsEnded == 0) keyword = current;
        if (fieldsEnded == 1) type = current;
        ++fieldsEnded;
        current.clear();
    }
    if (fieldsEnded == 0) return false;
    if (!EqualsIgnoringCase(keyword, "var")) return false;
    const std::string name = TrimScriptText(current);
    const int32_t code = m_typeTable.Lookup(TrimScriptText(type));
    if (code == kTypeNone || name.empty()) return false;
    if (m_userStore.Lookup(name) != nullptr || m_systemStore.Lookup(name) != nullptr) return false;
    return m_userStore.Add(name, code);
}

bool CScript::ParseRoutine(const std::vector<std::string>& lines) {
    size_t n = 0;
    uint32_t index = 0;
    bool begun = false;
    bool ended = false;
    bool error = false;
    for (const std::string& line : lines) {
        ++n;
        std::string code;
        const LineClass kind = ClassifyLine(line, code);
        if (kind == LineClass::kBad) {
            if (begun) {
                error = true;
                AddErrorLine(line, n);
            }
            continue;
        }
        if (kind == LineClass::kSkip) continue;
        if (!begun) {
            if (code != ":Begin") continue;
            CScriptLine begin;
            begin.Set(static_cast<uint16_t>(index++), kCodeBegin, ":Begin", 0);
            m_routine.Add(begin.Index(), begin);
            begun = true;
            continue;
        }
        if (index > kMaxLineIndex) {
            // Line indexes are 16-bit: a longer routine is refused rather than wrapped.
            error = true;
            AddErrorLine(line, n);
            break;
        }
        if (code == ":End") {
            CScriptLine end;
            end.Set(static_cast<uint16_t>(index), kCodeEnd, ":End", 0);
            m_routine.Add(end.Index(), end);
            ended = true;
            break;
        }
        if (ParseStatement(code, static_cast<uint16_t>(index))) {
            ++index;
        } else {
            error = true;
            AddErrorLine(line, n);
        }
    }
    if (error) return false;
    if (begun && ended) return true;
    AddErrorLine(":Begin or :End; Not Found.", n);
    return false;
}

bool CScript::Tokenize(const std::string& text, std::vector<std::string>& tokens) const {
    tokens.clear();
    // A closing separator ends the last token as every other one ends.
    const std::string terminated = text + ",";
    if (StartsWith(terminated, "::")) {
        tokens.push_back(text);
        return true;
    }
    size_t pos = 0;
    while (pos < terminated.size() && !IsFieldSeparator(terminated[pos])) ++pos;
    if (pos == terminated.size()) return false;
    tokens.push_back(terminated.substr(0, pos));

    bool quoted = false;
    std::string current;
    for (; pos < terminated.size(); ++pos) {
        const char c = terminated[pos];
        if (c == '\'' || c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            tokens.push_back(TrimScriptText(current));
            current.clear();
        } else {
            current += c;
        }
    }
    const int32_t code = m_keywordTable.Lookup(tokens[0]);
    if (code == kCodeUnset) return false;
    return static_cast<int32_t>(tokens.size()) == 1 + m_keywordTable.OperandCount(code);
}

bool CScript::ParseStatement(const std::string& text, uint16_t index) {
    std::vector<std::string> tokens;
    if (!Tokenize(text, tokens)) return false;
    CScriptLine line;
    if (tokens.size() == 1) {
        line.Set(index, kCodeLabel, tokens[0], 0);
        return m_routine.Add(index, line);
    }
    const int32_t code = m_keywordTable.Lookup(tokens[0]);
    std::vector<std::string> operands(tokens.begin() + 1, tokens.end());
    std::vector<int32_t> kinds;
    if (!CheckOperands(code, operands, kinds)) return false;
    const auto count = static_cast<int32_t>(operands.size());
    line.Set(index, code, tokens[0], count);
    for (int32_t i = 0; i < count; ++i) line.SetOperand(i, operands[i], kinds[i]);
    BindOperands(line);
    return m_routine.Add(index, line);
}
