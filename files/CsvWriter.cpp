#include "files/CsvWriter.h"

#include <cerrno>
#include <clocale>

#include "app/SystemError.h"

SLocaleSeparators SLocaleSeparators::FromSystem() {
    const lconv* conv = std::localeconv();
    SLocaleSeparators s;
    s.decimal = (conv && conv->decimal_point && *conv->decimal_point) ? conv->decimal_point : ".";
    s.list = s.decimal == "," ? ";" : ",";
    return s;
}

CCsvWriter::CCsvWriter(SLocaleSeparators separators) : m_separators(std::move(separators)) {}

bool CCsvWriter::Open(const std::string& path) {
    if (path.empty() || m_file.IsOpen()) return false;
    m_path = path;
    if (!m_file.Create(path)) return Fail();
    return true;
}

bool CCsvWriter::WriteLine(const std::string& text, bool addLineEnd) {
    if (!m_file.IsOpen()) return false;
    if (text.empty()) return true;
    std::string line = text;
    if (addLineEnd) line += "\r\n";
    if (!m_file.Write(line.data(), line.size())) return Fail();
    return true;
}

bool CCsvWriter::SetTitle(const std::string& text) {
    if (text.empty()) return false;
    m_title = text;
    return true;
}

bool CCsvWriter::WriteTitle() { return m_title.empty() || WriteLine(Field(m_title), true); }

bool CCsvWriter::SetFooter(const std::string& text) {
    if (text.empty()) return false;
    m_footer = text;
    return true;
}

bool CCsvWriter::WriteFooter() { return m_footer.empty() || WriteLine(Field(m_footer), true); }

std::string CCsvWriter::GetColumn(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_columns.size()) return {};
    return m_columns[static_cast<std::size_t>(index)];
}

bool CCsvWriter::WriteColumnHeader() {
    if (m_columns.empty()) return false;
    std::string line;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (i > 0) line += m_separators.list;
        line += Field(m_columns[i]);
    }
    return WriteLine(line, true);
}

void CCsvWriter::SetRecord(long number, const std::string& name, const std::string& value) {
    m_number = number;
    m_name = name;
    m_value = value;
}

bool CCsvWriter::WriteRecord() {
    return WriteLine(std::to_string(m_number) + m_separators.list + Field(m_name) +
                         m_separators.list + Field(m_value),
                     true);
}

std::string CCsvWriter::LocalizeDecimal(const std::string& text) const {
    std::string out;
    for (char c : text) {
        if (c == '.')
            out += m_separators.decimal;
        else
            out += c;
    }
    return out;
}

bool CCsvWriter::Close() {
    if (!m_file.IsOpen()) return false;
    if (!m_file.Commit()) return Fail();
    return true;
}

std::string CCsvWriter::Field(const std::string& text) const {
    const bool needsQuotes = text.find(m_separators.list) != std::string::npos ||
                             text.find_first_of("\"\r\n") != std::string::npos;
    if (!needsQuotes) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool CCsvWriter::Fail() {
    m_errorCode = m_file.ErrorCode() ? m_file.ErrorCode() : EIO;
    m_error = Reason<ReasonId::kPathError>(m_path, GetSystemErrorText(m_errorCode));
    m_file.Discard();
    return false;
}
