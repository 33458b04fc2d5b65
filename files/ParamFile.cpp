#include "files/ParamFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/SystemError.h"
#include "app/TextFile.h"

namespace {

void PutInt32(unsigned char* out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

int32_t GetInt32(const unsigned char* in) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
    return static_cast<int32_t>(v);
}

// A field holds its text up to the first zero byte, or all of it when it has none.
std::string FieldText(const char* data, std::size_t size) {
    return std::string(data, strnlen(data, size));
}

}  // namespace

CParamFile::~CParamFile() { Close(); }

bool CParamFile::Open(const std::string& path, Mode mode) {
    if (m_readFd >= 0 || m_out.IsOpen()) return false;
    m_path = path;
    m_endsInsideRecord = false;
    if (mode == Mode::Write) {
        if (!m_out.Create(path)) {
            SetSystemError(m_out.ErrorCode());
            return false;
        }
        return true;
    }
    // No lock: a save never changes a file in place but renames a whole new one over it, so
    // this descriptor holds one whole set, the old or the new, and readers never shut each
    // other (or another station) out.
    m_readFd = OpenRegularFile(path);
    if (m_readFd < 0) {
        if (errno == EINVAL)
            SetError(Reason<ReasonId::kNotParamFileNotRegular>(m_path), EINVAL);
        else
            SetSystemError(errno);
        return false;
    }
    return CheckReadable();
}

bool CParamFile::CheckReadable() {
    struct stat st {};
    if (fstat(m_readFd, &st) != 0) {
        SetSystemError(errno);
    } else if (st.st_size > static_cast<off_t>(kMaxReadSize)) {
        // More than any table can describe; reading a huge file would only exhaust memory.
        SetError(Reason<ReasonId::kNotParamFileTooLarge>(m_path), EFBIG);
    } else {
        return true;
    }
    Close();
    return false;
}

bool CParamFile::WriteDate(const std::string& text) {
    return WriteField<ReasonId::kDateTooLong>(text, kDateSize);
}

bool CParamFile::IsModelNameText(const std::string& text) {
    for (const unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

bool CParamFile::WriteName(const std::string& text) {
    // Reading refuses such a name as no parameter file: never write one.
    if (!IsModelNameText(text)) {
        SetError(Reason<ReasonId::kModelNameControlByte>(), EINVAL);
        return false;
    }
    return WriteField<ReasonId::kModelNameTooLong>(text, kNameSize);
}

bool CParamFile::WriteRecord(int32_t number, int32_t scale, const std::string& text) {
    if (text.size() >= kValueSize) {
        SetError(
            Reason<ReasonId::kSetValueTooLong>(std::to_string(number), std::to_string(text.size()),
                                               std::to_string(kValueSize - 1)),
            EOVERFLOW);
        return false;
    }
    unsigned char record[kRecordSize] = {};
    PutInt32(record, number);
    PutInt32(record + 4, scale);
    std::memcpy(record + 8, text.data(), text.size());
    return WriteBytes(record, sizeof record);
}

bool CParamFile::Commit() {
    if (!m_out.Commit()) {
        SetSystemError(m_out.ErrorCode());
        return false;
    }
    return true;
}

bool CParamFile::ReadDate(std::string& text) { return ReadField(text, kDateSize); }

bool CParamFile::ReadName(std::string& text) { return ReadField(text, kNameSize); }

int CParamFile::ReadRecord(int32_t& number, int32_t& scale, std::string& text) {
    unsigned char record[kRecordSize];
    const long got = ReadBytes(record, sizeof record);
    if (got < 0) return -1;
    if (got < static_cast<long>(sizeof record)) {
        m_endsInsideRecord = got > 0;
        return 0;
    }
    number = GetInt32(record);
    scale = GetInt32(record + 4);
    text = FieldText(reinterpret_cast<const char*>(record + 8), kValueSize);
    return 1;
}

void CParamFile::Close() {
    if (m_readFd >= 0) {
        ::close(m_readFd);
        m_readFd = -1;
    }
    m_out.Discard();
}

template <ReasonId tooLong>
bool CParamFile::WriteField(const std::string& text, std::size_t size) {
    if (text.size() >= size) {
        SetError(Reason<tooLong>(std::to_string(text.size()), std::to_string(size - 1)), EOVERFLOW);
        return false;
    }
    std::string field(size, '\0');
    field.replace(0, text.size(), text);
    return WriteBytes(field.data(), field.size());
}

bool CParamFile::WriteBytes(const void* data, std::size_t size) {
    if (!m_out.IsOpen()) {
        SetError(Reason<ReasonId::kNotOpenForWriting>(), EBADF);
        return false;
    }
    if (!m_out.Write(data, size)) {
        SetSystemError(m_out.ErrorCode());
        return false;
    }
    return true;
}

long CParamFile::ReadBytes(void* data, std::size_t size) {
    if (m_readFd < 0) {
        SetError(Reason<ReasonId::kNotOpenForReading>(), EBADF);
        return -1;
    }
    auto* p = static_cast<char*>(data);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(m_readFd, p + got, size - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            SetSystemError(errno);
            return -1;
        }
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long>(got);
}

bool CParamFile::ReadField(std::string& text, std::size_t size) {
    std::string field(size, '\0');
    const long got = ReadBytes(field.data(), size);
    if (got < 0) return false;
    // A file too short for its header holds no parameter set at all; taking it as an
    // empty set would wipe the operator's values and report success.
    if (got < static_cast<long>(size)) {
        SetError(Reason<ReasonId::kNotParamFileCutHeader>(m_path), EINVAL);
        return false;
    }
    text = FieldText(field.data(), size);
    return true;
}

void CParamFile::SetSystemError(int code) {
    SetError(Reason<ReasonId::kPathError>(m_path, GetSystemErrorText(code)), code);
}

void CParamFile::SetError(SReason why, int code) {
    m_error = std::move(why);
    m_errorCode = code;
}
