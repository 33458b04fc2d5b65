#pragma once

#include <cstdint>
#include <string>

#include "app/Reason.h"
#include "files/AtomicFile.h"

// One parameter file (".tmf"): a 32-byte table date, a 64-byte model name, then
// 40-byte records (number, scale, set value text) up to the end of the file.
// Integers are 32-bit little-endian; texts are zero-terminated in zero-padded fields.
//
// Writing goes to a temporary file beside the target; only Commit() renames it
// into place, so a save that fails half-way leaves the previous file untouched.
class CParamFile {
  public:
    enum class Mode { Read, Write };

    static constexpr std::size_t kDateSize = 32;
    static constexpr std::size_t kNameSize = 64;
    static constexpr std::size_t kValueSize = 32;
    static constexpr std::size_t kHeaderSize = kDateSize + kNameSize;
    static constexpr std::size_t kRecordSize = 8 + kValueSize;
    // Larger files are refused on reading: parameter numbers are 16-bit, so the largest set a
    // table can describe is the header and 65 535 records (about 2.5 MiB).
    static constexpr std::size_t kMaxRecords = 65535;
    static constexpr std::size_t kMaxReadSize = kHeaderSize + kMaxRecords * kRecordSize;

    // A model name a parameter file can hold: no control bytes (reading refuses them).
    static bool IsModelNameText(const std::string& text);

    CParamFile() = default;
    ~CParamFile();
    CParamFile(const CParamFile&) = delete;
    CParamFile& operator=(const CParamFile&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool WriteDate(const std::string& text);
    bool WriteName(const std::string& text);
    bool WriteRecord(int32_t number, int32_t scale, const std::string& text);
    bool Commit();

    bool ReadDate(std::string& text);
    bool ReadName(std::string& text);
    // 1: a whole record; 0: the end of the file (a trailing partial record included);
    // -1: a file error.
    int ReadRecord(int32_t& number, int32_t& scale, std::string& text);
    // After ReadRecord answered 0: whether the file ended inside a record, cut short.
    bool EndsInsideRecord() const { return m_endsInsideRecord; }

    // Closes the file; an uncommitted written file is discarded.
    void Close();

    const SReason& Error() const { return m_error; }
    int ErrorCode() const { return m_errorCode; }

  private:
    // A zero-padded text field; `tooLong` says why a text that does not fit is refused.
    template <ReasonId tooLong>
    bool WriteField(const std::string& text, std::size_t size);
    bool WriteBytes(const void* data, std::size_t size);
    // Reads up to size bytes; answers the count read, or -1 after a file error.
    long ReadBytes(void* data, std::size_t size);
    bool ReadField(std::string& text, std::size_t size);
    // A parameter file's size; closes the file when it is not.
    bool CheckReadable();
    void SetSystemError(int code);
    void SetError(SReason why, int code);

    int m_readFd = -1;
    bool m_endsInsideRecord = false;
    CAtomicFile m_out;
    std::string m_path;
    SReason m_error;
    int m_errorCode = 0;
};
