#pragma once

#include <string>

// A file written under a temporary name beside its target and renamed into place
// by Commit(), so that a write that fails half-way never destroys the previous file.
class CAtomicFile {
  public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Each operation answers false after a file error, with errno-style ErrorCode().
    bool Create(const std::string& path);
    bool Write(const void* data, std::size_t size);
    bool Commit();
    // Drops the uncommitted temporary file.
    void Discard();

    bool IsOpen() const { return m_fd >= 0; }
    int ErrorCode() const { return m_errorCode; }

  private:
    bool Fail(int code);

    int m_fd = -1;
    std::string m_path;
    std::string m_tempPath;
    int m_errorCode = 0;
};
