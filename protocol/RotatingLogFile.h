#pragma once

#include <cstdint>
#include <string>

#include "protocol/LogSink.h"

// The log file: "<base>.txt" in the module folder (or in the user's state folder when the module
// folder is not writable), held exclusively with an advisory lock while open, written with CR LF
// line ends, and rotated into "<base>temp.txt" when it reaches 1 MiB.
class RotatingLogFile : public LogSink {
  public:
    static constexpr int64_t kRotateSize = 0x100000;

    ~RotatingLogFile() override;

    void SetName(const std::string& baseName);
    bool Open();
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Nothing is written while the log is closed; the answer is then true.
    bool Write(const std::string& text) override;

    // The file in use, or "" while closed.
    const std::string& Path() const { return m_path; }
    // The number of bytes the file is taken to hold.
    int64_t SizeCount() const { return m_sizeCount; }

  private:
    int OpenIn(const std::string& folder, bool& lockedByOther);
    bool WriteCrLf(const std::string& text);

    std::string m_baseName;
    std::string m_path;
    int m_fd = -1;
    int64_t m_sizeCount = 0;
};
