#pragma once

#include <string>
#include <vector>

#include "protocol/CommLog.h"

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
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end = m_text.find('\n'); end != std::string::npos;
             end = m_text.find('\n', start)) {
            lines.push_back(m_text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }
    void Clear() { m_text.clear(); }

  private:
    LogSink* m_previous;
    std::string m_text;
};
