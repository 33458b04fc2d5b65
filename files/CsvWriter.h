#pragma once

#include <string>
#include <vector>

#include "app/Reason.h"
#include "files/AtomicFile.h"

// The separators a spreadsheet of the machine's region expects: the decimal point
// of the C library's numeric locale, and ";" as list separator where the decimal
// separator is "," (else ",").
struct SLocaleSeparators {
    std::string decimal;
    std::string list;
    static SLocaleSeparators FromSystem();
};

// Writes the exported parameter set: an optional title line, a column header line,
// one line per parameter and a footer line, each ended by CR LF.  The file appears
// under its name only when Close() completes, so a failed export leaves any
// previous file as it was.
class CCsvWriter {
  public:
    explicit CCsvWriter(SLocaleSeparators separators = SLocaleSeparators::FromSystem());

    bool Open(const std::string& path);
    bool WriteLine(const std::string& text, bool addLineEnd);

    bool SetTitle(const std::string& text);
    bool WriteTitle();
    bool SetFooter(const std::string& text);
    bool HasFooter() const { return !m_footer.empty(); }
    bool WriteFooter();

    void AddColumn(const std::string& text) { m_columns.push_back(text); }
    void ClearColumns() { m_columns.clear(); }
    std::string GetColumn(int index) const;
    bool WriteColumnHeader();

    void SetRecord(long number, const std::string& name, const std::string& value);
    bool WriteRecord();

    std::string LocalizeDecimal(const std::string& text) const;
    // Commits the file; false after a file error.
    bool Close();

    const SReason& Error() const { return m_error; }
    int ErrorCode() const { return m_errorCode; }
    const SLocaleSeparators& Separators() const { return m_separators; }

  private:
    // A field that holds the separator, a double quote or a line break is quoted
    // so that a spreadsheet still sees one field; every other field stays as it is.
    std::string Field(const std::string& text) const;
    bool Fail();

    SLocaleSeparators m_separators;
    CAtomicFile m_file;
    std::string m_path;
    std::vector<std::string> m_columns;
    std::string m_title;
    std::string m_footer;
    long m_number = 0;
    std::string m_name;
    std::string m_value;
    SReason m_error;
    int m_errorCode = 0;
};
