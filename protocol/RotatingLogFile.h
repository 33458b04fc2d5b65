#pragma once

#include <cstdint>
#include <string>

#include "protocol/LogSink.h"

// The log file: "<base>.txt" in the module folder (or in the user's state folder when the module
// folder is not writable), held exclusively with an advisory lock while open, written with CR LF
// line ends, and rotated into "<base>temp.txt" when it reaches 1 MiB.  A log held by another
// process, or whose file or older generation is a symbolic link, is not used: the log goes to
// "<base>-2.txt" (up to "<base>-9.txt") instead, and Notice() says why.
class RotatingLogFile : public LogSink {
  public:
    static constexpr int64_t kRotateSize = 0x100000;
    static constexpr int kMaxAlternatives = 9;

    ~RotatingLogFile() override;

    void SetName(const std::string& baseName);
    // A file of the operator's choosing instead of the base name in the log folder ("": the
    // base name again); its older generation is the same name with "temp" before the extension.
    void SetFixedPath(const std::string& path);
    bool Open();
    // Why the log is not the usual file, or not open at all; "" when it is.
    const std::string& Notice() const { return m_notice; }
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Nothing is written while the log is closed; the answer is then true.
    bool Write(const std::string& text) override;

    // The file in use, or "" while closed.
    const std::string& Path() const { return m_path; }
    // The number of bytes the file is taken to hold.
    int64_t SizeCount() const { return m_sizeCount; }

  private:
    // Opens `path`, locked, rotating it into `older` when full; -1 (the reason in m_notice) when
    // it is a symbolic link, held by another process or cannot be opened.
    int OpenFile(const std::string& path, const std::string& older, bool& lockedByOther);
    int OpenIn(const std::string& folder, bool& lockedByOther);
    bool WriteCrLf(const std::string& text);

    std::string m_baseName;
    std::string m_fixedPath;
    std::string m_path;
    std::string m_notice;
    int m_fd = -1;
    int64_t m_sizeCount = 0;
};
