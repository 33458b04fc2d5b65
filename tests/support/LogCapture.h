#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "protocol/CommLog.h"

// The lines of a text, without their line feeds.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Captures every WriteLog and LogEvent text while it exists, instead of the log file.
class LogCapture : public LogSink {
  public:
    LogCapture() : m_previous(SetLogSink(this)) {}
    ~LogCapture() override { SetLogSink(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Write(const std::string& text) override {
        m_text += text;
        return true;
    }

    // Everything written, line feeds included.
    const std::string& Text() const { return m_text; }
    // The lines written, without their line feeds.
    std::vector<std::string> Lines() const { return SplitLines(m_text); }
    void Clear() { m_text.clear(); }

  private:
    LogSink* m_previous;
    std::string m_text;
};
